#pragma once
// The module's pictures: card faces and the marks of the empty foundations.

#include <QImage>

#include "moduleformat.h"

namespace zozaro {

inline constexpr int FirstMark = cardmodule::LastFace + 1;

// Picture `key.number` 1..56: faces are suit * 13 + rank + 1, then one mark
// per suit. The same drawing at every size and scale, so that a finer screen
// or a larger card shows more detail, never another card.
QImage DrawPicture(const cardmodule::Key &key);

} // namespace zozaro
