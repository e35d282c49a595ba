#pragma once
// The player's hand: a press picks a card up, moving the pointer tells
// whether the place under it would take the card, and a release drops it and
// carries out the move. A move is made in one drag or in two clicks; the held
// card stays in its place in the table until the drop.

#include "core/gamestate.h"
#include "core/shell.h"
#include "core/rules.h"

namespace quintara {

enum class MouseButton { Left, Other };

// Picks up the top card of a column or the card of a free cell, takes the
// undo copy and captures the mouse.
void FormMouseDown(GameState &state, Shell &shell, MouseButton button, int x, int y);

// While a card is held, shows with the pointer and the status bar whether the
// place under the pointer would take it. `narrator` tells the column count's
// steps; it is heard only while the move-details panel is shown.
void FormMouseMove(GameState &state, Shell &shell, int x, int y, CountObserver *narrator = nullptr);

// Drops the held card: makes the move, puts the card back, or keeps it held
// so the player may try another place.
void FormMouseUp(GameState &state, Shell &shell, MouseButton button, int x, int y,
                 CountObserver *narrator = nullptr);

} // namespace quintara
