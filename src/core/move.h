#pragma once
// A move as a value, and the one place where a move changes the table. The
// player's drop, the cards the game sends home by itself, the solver's search
// and the replay of a solution all carry their moves out through ApplyMove,
// so the game and the solver cannot disagree on what a move does.

#include <cstdint>

#include "core/table.h"

namespace quintara {

// Where a card that a move would take comes from.
enum SourceKind : std::int32_t { FromNothing = 0, FromCell = 1, FromColumn = 2 };

struct MoveSource {
    std::int32_t From = FromNothing;
    std::int32_t Index = 0;   // free cell 0..3 or column 0..7
    std::int32_t Slot = 0;    // slot in the column; 0 for a free cell
    CardCode Card = 0;
};

enum class Place { Cell, Column, Pile };

// One move: where the card is picked up, where it is let go, how many cards
// go with it, and what the game asks on the way. Indices are 0-based, as on
// the table.
struct Move {
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
    bool operator==(const Move &) const = default;
};

// Carries out a move the table allows: the `count` cards at the top of the
// source leave it and land in their order on the destination, and a card laid
// on a pile counts as home. The slots keep the positions the deal gave them.
void ApplyMove(Table &table, const Move &move);

// The two halves of ApplyMove, for the one caller that paints in between:
// the cards change places, then a card laid on a pile counts as home.
void MoveCards(Table &table, const Move &move);
void CountHome(Table &table, const Move &move);

// The kinds of move that let the automatic moves run again: all but cell to
// cell and moves into an empty column.
bool ReleasesHold(const Move &move);

// A move as the player makes it: ApplyMove, then, for a releasing kind, the
// automatic moves may run again.
void ApplyAndRelease(Table &table, bool &autoMoveHold, const Move &move);

} // namespace quintara
