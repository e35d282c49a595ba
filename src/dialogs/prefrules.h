#pragma once
// What the preferences dialog decides, apart from its widgets: the suit
// order chosen with the four buttons, the column spacing typed in, whether
// a picture file can be read, and the texts its labels show.

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

#include "core/settings.h"

namespace quintara {

// What a column spacing that is not a number counts as: out of range.
inline constexpr std::int32_t SpacingNotANumber = SpacingHigh + 1;

// The suit buttons pressed since the suit tab was last set up: button
// numbers 1..4 in the order pressed, 0 where no press came yet. The j-th
// press chooses the suit of the j-th pile from the left.
struct SuitPresses {
    std::int32_t PressCount = 0;
    std::array<std::int32_t, PileCount> NewOrder{};

    void Clear() { *this = {}; }
    // A fifth press is ignored; false then.
    bool Press(std::int32_t button);
    bool Complete() const { return PressCount == PileCount; }
    // The suit code of each pile (button k is suit k - 1), or nothing when a
    // suit was chosen twice.
    std::optional<PileSuitOrder> Order() const;
};

// The spacing as typed: a decimal integer, SpacingNotANumber otherwise.
std::int32_t ReadColumnSpacing(const QString &text);
bool SpacingAccepted(std::int32_t spacing);

// The file exists, is not a folder and opens for reading.
bool PictureFileReadable(const QString &path);

QString CurrentOrderText(const PileSuitOrder &pileSuit);
QString NewOrderText(const std::array<std::int32_t, PileCount> &newOrder);
// The size the side picture is stretched to.
QString SideAreaText(int width, int height);

} // namespace quintara
