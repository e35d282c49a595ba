#pragma once
// The module's pictures: card faces and the marks of the empty foundations.

#include <QImage>

namespace zozaro {

inline constexpr int FirstMark = 53;
inline constexpr int PictureCount = 56;

// Picture `number` 1..56: faces are suit * 13 + rank + 1, then one mark per suit.
QImage DrawPicture(int number);

} // namespace zozaro
