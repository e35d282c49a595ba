#pragma once
// The sixteen places of the table in words, as a screen reader says them:
// "Colonna 3: 6 carte, in cima 7 di Cuori", "Cella 2: vuota", "Fila dei
// Fiori: fino al 5". Read from the table as it lies.

#include <QString>

#include "core/gamestate.h"
#include "core/move.h"

namespace quintara {

// The columns, then the free cells, then the piles: the order a reader
// walks the table in.
inline constexpr int PlaceCount = ColumnCount + CellCount + PileCount;
struct PlaceRef {
    Place kind = Place::Column;
    int index = 0;
};
PlaceRef PlaceOf(int number);
int PlaceNumber(Place kind, int index);

QString PlaceName(const GameState &state, PlaceRef place);

} // namespace quintara
