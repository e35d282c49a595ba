#pragma once
// The player's preferences and all-time statistics, as held in memory for
// the whole run. The store (store/store.h) reads them at start and writes each
// group at the moment it changes.

#include <cstdint>

#include <QString>

#include "core/table.h"

namespace quintara {

// The ranges the preferences allow.
inline constexpr std::int32_t SpeedLow = 1;
inline constexpr std::int32_t SpeedHigh = 10;
inline constexpr std::int32_t DefaultSpeed = 8;
inline constexpr std::int32_t SpacingLow = 6;
inline constexpr std::int32_t SpacingHigh = 12;

// The pause between two steps of a flying card: the faster the slider, the shorter.
inline constexpr std::int32_t FlightDelayFor(std::int32_t speed) { return SpeedHigh + 1 - speed; }

enum StreakKind : std::int32_t { NoStreak = 0, WinningStreak = 1, LosingStreak = 2 };

struct GameSettings {
    bool OrigCardSize = true;
    bool TimeDisplay = true;
    bool TransferInfo = false;
    bool TransferDetails = false;
    bool ShowPicture = false;
    std::int32_t SpeedSlider = DefaultSpeed;
    PileSuitOrder PileSuit = DefaultPileSuit;
    std::int32_t ColumnSpacing = 12;
    QString SWBmpPath;
    // "Cancella più mosse": undo goes back move after move to the deal.
    bool UndoToDeal = false;
    // While the mouse drags a card, the card is drawn under the pointer.
    bool CardFollowsPointer = false;

    // Derived and run-time only, never stored.
    std::int32_t FlightDelay = FlightDelayFor(DefaultSpeed);
    bool PictureFileOk = false;
    bool PrefsChanged = false;
};

struct GameStatistics {
    std::int32_t GamesWon = 0;
    std::int32_t GamesLost = 0;
    std::int32_t StreakType = NoStreak;   // a StreakKind
    std::int32_t StreakWins = 0;
    std::int32_t StreakLosses = 0;
    // Since this program start; never stored.
    std::int32_t RunWon = 0;
    std::int32_t RunLost = 0;
    // The stamp of the last game counted (see GameRecord::stamp), stored
    // with the counts.
    std::uint32_t LastCounted = 0;

    bool operator==(const GameStatistics &) const = default;
};

// The end of a game as the statistics count it: one more won or lost game in
// all runs and in this one, and the streak goes on or starts again. A counter
// that has reached its largest value stays there.
void CountGame(GameStatistics &statistics, bool won);

} // namespace quintara
