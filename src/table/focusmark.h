#pragma once
// The keyboard's focus mark: a frame around the current place, drawn on the
// window over the table's picture. It keeps to the parts of the window the
// painter's buffers cover, so their copies wipe it at the next paint.

#include <QImage>
#include <QRegion>

#include "table/layout.h"

namespace quintara {

// Draws the frame around `place` and returns the part of the window drawn on.
QRegion DrawFocusMark(QImage &window, const TableLayout &layout, const PixelRect &place);

} // namespace quintara
