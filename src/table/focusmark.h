#pragma once
// The keyboard's focus mark: a frame around the current place, drawn on the
// window over the table's picture. It keeps to the parts of the window the
// painter's buffers cover, so their copies wipe it at the next paint.

#include <QImage>
#include <QRegion>

#include "table/layout.h"

namespace quintara {

// The part of the window the frame around `place` covers.
QRegion FocusMarkArea(const TableLayout &layout, const PixelRect &place);
// Draws the frame around `place`.
void DrawFocusMark(QImage &window, const TableLayout &layout, const PixelRect &place);

} // namespace quintara
