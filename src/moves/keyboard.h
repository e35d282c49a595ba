#pragma once
// The keyboard's hand: one of the sixteen places of the table is current,
// the arrows and the digits choose it, and Space or Enter does there what a
// click would do. The keys only choose places; the moves themselves go
// through playermove.h as the pointer's do.

#include "core/gamestate.h"
#include "core/rules.h"
#include "core/shell.h"

namespace quintara {

enum class TableKey { Left, Right, Up, Down, Column, Act, PutBack };

// The current place. The top row is the free cells then the piles, so that
// index i of the row stands over column i.
struct KeyFocus {
    Place kind = Place::Column;
    int index = 0;
    // The mark is shown once a key was used, and hidden by a click.
    bool shown = false;
};

// Answers `key` (Column: the digit of `column`, 0-based): moves the focus,
// or picks up, drops or puts back the card as a click on the current place
// would. The first key shows the mark and the key map in the hint panel.
void PressTableKey(GameState &state, Shell &shell, KeyFocus &focus, TableKey key, int column = 0,
                   CountObserver *narrator = nullptr);

// The frame of the current place, on the table: a free cell or pile, or a
// column from its first slot down to its top card.
PixelRect FocusArea(const GameState &state, const KeyFocus &focus);

} // namespace quintara
