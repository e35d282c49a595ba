#pragma once
// Can this deal still be won? A search over the positions the player can
// reach, by this game's own rules and with the automatic moves the game plays
// after each move, until a win, the proof that none exists, or the budget.

#include <cstdint>
#include <vector>

#include "core/table.h"
#include "moves/legalmoves.h"

namespace quintara {

enum class Verdict {
    Solved,            // `moves` wins the game
    Impossible,        // every reachable position was searched: no win
    Undecided,         // the budget ran out first
    InvalidPosition,   // the table does not hold each card exactly once
};

inline constexpr std::int64_t DefaultBudget = 1'000'000;
// The largest budget the position store is allowed to grow to (some 80 bytes each).
inline constexpr std::int64_t MaxBudget = 50'000'000;

struct SolveOptions {
    std::int64_t budget = DefaultBudget;   // distinct positions the search may keep
};

struct SolveResult {
    Verdict verdict = Verdict::Undecided;
    std::vector<Move> moves;   // for Solved: the moves on the table given
    std::int64_t positions = 0;      // distinct positions reached, the start included
    double seconds = 0;              // processor time, which a busy machine does not inflate
};

// Searches from `table` as it lies, with the automatic moves held back while
// `autoMoveHold` is set. `pileSuit` gives each pile's suit, as in the settings.
SolveResult Solve(const Table &table, const PileSuitOrder &pileSuit, bool autoMoveHold,
                  const SolveOptions &options = {});

// The deal of `seed` exactly as a new game lays it out, with the piles in the
// default suit order; `table` receives it when given.
SolveResult SolveDeal(std::uint32_t seed, const SolveOptions &options = {}, Table *table = nullptr);

} // namespace quintara
