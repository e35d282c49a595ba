#include "core/settings.h"

#include <limits>

namespace quintara {

namespace {

void CountOne(std::int32_t &counter)
{
    if (counter < std::numeric_limits<std::int32_t>::max())
        ++counter;
}

} // namespace

void CountGame(GameStatistics &statistics, bool won)
{
    GameStatistics &s = statistics;
    if (won) {
        CountOne(s.RunWon);
        CountOne(s.GamesWon);
        s.StreakType = WinningStreak;
        CountOne(s.StreakWins);
        s.StreakLosses = 0;
    } else {
        CountOne(s.RunLost);
        CountOne(s.GamesLost);
        s.StreakType = LosingStreak;
        CountOne(s.StreakLosses);
        s.StreakWins = 0;
    }
}

} // namespace quintara
