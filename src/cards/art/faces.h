#pragma once
// The module's pictures: card faces and the marks of the empty foundations.

#include <QImage>

#include "moduleformat.h"

namespace zozaro {

inline constexpr int FirstMark = cardmodule::EmptyPileMark(0);

// Picture `key.number`: the faces by cardmodule::FaceNumber, then one mark
// per suit. The same drawing at every size and scale, so that a finer screen
// or a larger card shows more detail, never another card.
QImage DrawPicture(const cardmodule::Key &key);

} // namespace zozaro
