#pragma once
// The player's moves as the solver sees them: every move the pointer can
// make on a table, carried out exactly as a drop would carry it out, with the
// automatic moves the game then plays by itself.

#include <optional>
#include <vector>

#include <QString>

#include "core/table.h"

namespace quintara {

enum class Place { Cell, Column, Pile };

// One drop: where the card is picked up, where it is let go, and what the
// game asks on the way. Indices are 0-based, as on the table.
struct SolverMove {
    Place fromKind = Place::Column;   // Cell or Column
    int from = 0;
    Place toKind = Place::Column;     // Cell, Pile or Column
    int to = 0;
    int count = 1;                    // cards carried, the picked card on top
    CardCode card = 0;                // the card picked up
    CardCode onto = -1;               // top card of the destination column; -1 when it was empty
    bool question = false;            // "Vuoi muovere più di una carta?" comes up
    bool answerYes = false;           // ... and the player says Yes

    bool IntoEmptyColumn() const { return toKind == Place::Column && onto < 0; }
    bool operator==(const SolverMove &) const = default;
};

enum class MoveSet {
    Every,      // every drop the pointer can make, each cell and empty column on its own
    Distinct,   // one of each kind that leads somewhere new: one empty cell, one empty column,
                // no cell to cell, no whole column into an empty one
};

// Appends to `out` (cleared first) the legal moves, sources in the order free
// cells 0..3 then columns 0..7, each with destinations cells, piles, columns.
void ListMoves(const Table &table, const PileSuitOrder &pileSuit, MoveSet set,
               std::vector<SolverMove> &out);

// The kinds of move that let the automatic moves run again: all but cell to
// cell and moves into an empty column.
bool ReleasesHold(const SolverMove &move);

// The drop itself: the cards leave their source and land, in their order.
void ExecuteMove(Table &table, const SolverMove &move);

// A move as the game plays it: the drop, the release of `autoMoveHold` for a
// releasing kind, then, while released, every automatic move to the end of
// the cascade. Returns the cards that went home by themselves.
int PlayMove(Table &table, const PileSuitOrder &pileSuit, bool &autoMoveHold, const SolverMove &move);

struct ReplayOutcome {
    bool won = false;                  // FoundationLevel reached 13 with the last move
    int played = 0;                    // moves carried out
    std::optional<int> refused;        // index of the first move the table did not allow
};

// Plays the moves one after the other, each checked against the moves the
// table allows at that moment. A move after the game is already won counts as
// refused.
ReplayOutcome ReplaySolution(Table table, const PileSuitOrder &pileSuit, bool autoMoveHold,
                             const std::vector<SolverMove> &moves);

// "colonna 5 -> colonna 2 (3 carte)", "cella 2 -> fila 1": 1-based, as the
// player counts.
QString MoveText(const SolverMove &move);

} // namespace quintara
