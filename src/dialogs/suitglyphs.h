#pragma once
// The pictures on the suit buttons of the preferences dialog: each suit
// symbol in two colours on white, red for hearts and diamonds, black for
// spades and clubs.

#include <QPixmap>

namespace quintara {

inline constexpr int SuitGlyphWidth = 17;
inline constexpr int SuitGlyphHeight = 18;

// `suit` is the suit code 0..3: hearts, diamonds, spades, clubs.
QPixmap SuitGlyph(int suit);

} // namespace quintara
