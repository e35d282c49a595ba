#pragma once
// Cards that go home by themselves: aces and twos as soon as their pile takes
// them, any higher card once all four cards of the rank below are home. One
// card per call, so a cascade plays out visibly, pass after pass.

#include <cstdint>
#include <optional>

#include "core/move.h"
#include "core/table.h"

namespace quintara {

struct GameState;
class Shell;

struct LevelUpdate {
    std::uint16_t completedRanks = 0;   // bit r: rank r became complete in this call
    bool won = false;                   // the level reached WonLevel: stop at once
};

// Marks the ranks whose four cards are all home and keeps FoundationLevel at
// the lowest rank of 1 or more that is not complete.
LevelUpdate UpdateFoundationLevel(Table &table);

// The first card that may go home now: the columns left to right, then the
// free cells; within a source, the piles left to right. A card in a free cell
// must be of the level's rank, so an ace lying there stays for the player.
// `deepestTop`, when given, receives the highest top slot among the columns
// looked at before the card was found.
std::optional<Move> FindAutoMove(const Table &table, const PileSuitOrder &pileSuit, int *deepestTop = nullptr);

// Runs the automatic moves until none is left, as pass after pass of the game
// would; returns the number of cards sent home.
int RunAutoMoves(Table &table, const PileSuitOrder &pileSuit);

// A move as the game plays it: the move, the release of `autoMoveHold` for a
// releasing kind, then, while released, every automatic move to the end of
// the cascade. Returns the cards that went home by themselves.
int PlayMove(Table &table, const PileSuitOrder &pileSuit, bool &autoMoveHold, const Move &move);

// One pass of the game: the level update, then at most one card home with its
// flight, status text and repaints; also switches the move-details panel off
// when a column grows too deep for it.
void AutoMoveToFoundation(GameState &state, Shell &shell);

} // namespace quintara
