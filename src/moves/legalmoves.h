#pragma once
// The moves the pointer can make on a table, shared by the solver, the
// replay of a solution and anything else that asks what may be played: the
// same legality and capacity rules as the drop.

#include <optional>
#include <vector>

#include <QString>

#include "core/move.h"
#include "core/table.h"

namespace quintara {

enum class MoveSet {
    Every,      // every drop the pointer can make, each cell and empty column on its own
    Distinct,   // one of each kind that leads somewhere new: one empty cell, one empty column,
                // no cell to cell, no whole column into an empty one
};

// Appends to `out` (cleared first) the legal moves, sources in the order free
// cells 0..3 then columns 0..7, each with destinations cells, piles, columns.
void ListMoves(const Table &table, const PileSuitOrder &pileSuit, MoveSet set,
               std::vector<Move> &out);

struct ReplayOutcome {
    bool won = false;                  // the last move won the game
    int played = 0;                    // moves carried out
    std::optional<int> refused;        // index of the first move the table did not allow
};

// Plays the moves one after the other, each checked against the moves the
// table allows at that moment. A move after the game is already won counts as
// refused.
ReplayOutcome ReplaySolution(Table table, const PileSuitOrder &pileSuit, bool autoMoveHold,
                             const std::vector<Move> &moves);

// "colonna 5 -> colonna 2 (3 carte)", "cella 2 -> fila 1": 1-based, as the
// player counts.
QString MoveText(const Move &move);

} // namespace quintara
