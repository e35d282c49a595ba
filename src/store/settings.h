#pragma once
// The player's preferences and all-time statistics, as held in memory for
// the whole run. The store (store.h) reads them at start and writes each
// group at the moment it changes.

#include <cstdint>

#include <QString>

#include "core/table.h"

namespace quintara {

struct GameSettings {
    bool OrigCardSize = true;
    bool TimeDisplay = true;
    bool TransferInfo = false;
    bool TransferDetails = false;
    bool ShowPicture = false;
    std::int32_t SpeedSlider = 8;
    PileSuitOrder PileSuit{0, 1, 2, 3};
    std::int32_t ColumnSpacing = 12;
    QString SWBmpPath;

    // Derived and run-time only, never stored.
    std::int32_t FlightDelay = 3;  // 11 - SpeedSlider
    bool PictureFileOk = false;
    bool PrefsChanged = false;
};

struct GameStatistics {
    std::int32_t GamesWon = 0;
    std::int32_t GamesLost = 0;
    std::int32_t StreakType = 0;   // 0 none, 1 winning streak, 2 losing streak
    std::int32_t StreakWins = 0;
    std::int32_t StreakLosses = 0;
    // Since this program start; never stored.
    std::int32_t RunWon = 0;
    std::int32_t RunLost = 0;

    bool operator==(const GameStatistics &) const = default;
};

// The end of a game as the statistics count it: one more won or lost game in
// all runs and in this one, and the streak goes on or starts again. A counter
// that has reached its largest value stays there.
void CountGame(GameStatistics &statistics, bool won);

} // namespace quintara
