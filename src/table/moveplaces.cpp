#include "table/moveplaces.h"

namespace quintara {

MovePlaces PlacesOf(const GameState &state, const Move &move)
{
    const TableLayout &l = state.Layout;
    MovePlaces places;
    if (move.fromKind == Place::Cell) {
        const SlotRecord &cell = state.table.Cells[move.from];
        places.pick = places.group = CardRect(l, cell.X, cell.Y);
    } else {
        const TableColumn &column = state.table.Columns[move.from];
        const int top = TopSlot(column).value_or(0);
        places.pick = CardRect(l, column.X[top], column.Y[top]);
        places.group = places.pick;
        places.group.top = column.Y[top - (move.count - 1)];
    }
    switch (move.toKind) {
    case Place::Cell:
        places.to = CardRect(l, state.table.Cells[move.to].X, state.table.Cells[move.to].Y);
        break;
    case Place::Pile:
        places.to = CardRect(l, state.table.Foundations[move.to].X, state.table.Foundations[move.to].Y);
        break;
    case Place::Column: {
        // An empty column keeps the place of its first slot.
        const TableColumn &column = state.table.Columns[move.to];
        const int top = TopSlot(column).value_or(0);
        places.to = CardRect(l, column.X[top], column.Y[top]);
        break;
    }
    }
    return places;
}

} // namespace quintara
