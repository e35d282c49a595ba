#pragma once
// Where a move lies on the table: the card the pointer picks up, the cards
// that go with it, and the place they go to, in client pixels.

#include "core/gamestate.h"
#include "core/move.h"
#include "table/layout.h"

namespace quintara {

struct MovePlaces {
    PixelRect pick;    // the card to pick up
    PixelRect group;   // every card that moves, the picked one included
    PixelRect to;      // the free cell, pile, column top card or empty column
};

// `move` must be one the table allows.
MovePlaces PlacesOf(const GameState &state, const Move &move);

} // namespace quintara
