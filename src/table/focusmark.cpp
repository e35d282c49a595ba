#include "table/focusmark.h"

#include <QPainter>

#include "table/drawingtools.h"
#include "table/painter.h"

namespace quintara {

namespace {

// Black, gold, black: the gold reads on the green, the black edges on a
// card's white. Whole table pixels only, so the frame is as sharp at any
// scale as the cards are.
constexpr int EdgeWidth = 1;
constexpr int GoldWidth = 3;
constexpr int Gap = 1;

void Ring(QPainter &p, const QRect &outer, int width, const QColor &colour)
{
    p.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), colour);
    p.fillRect(QRect(outer.left(), outer.bottom() - width + 1, outer.width(), width), colour);
    p.fillRect(QRect(outer.left(), outer.top(), width, outer.height()), colour);
    p.fillRect(QRect(outer.right() - width + 1, outer.top(), width, outer.height()), colour);
}

} // namespace

QRegion DrawFocusMark(QImage &window, const TableLayout &layout, const PixelRect &place)
{
    const int out = Gap + 2 * EdgeWidth + GoldWidth;
    const QRect outer = ToQRect(place).adjusted(-out, -out, out, out);
    const QRegion drawn = (QRegion(outer) - QRegion(outer.adjusted(out - Gap, out - Gap, Gap - out, Gap - out)))
                          & TablePainter::BufferedArea(layout);
    QPainter p(&window);
    p.setClipRegion(drawn);
    Ring(p, outer, EdgeWidth, Qt::black);
    Ring(p, outer.adjusted(EdgeWidth, EdgeWidth, -EdgeWidth, -EdgeWidth), GoldWidth, QColor(255, 200, 0));
    Ring(p, outer.adjusted(EdgeWidth + GoldWidth, EdgeWidth + GoldWidth, -EdgeWidth - GoldWidth, -EdgeWidth - GoldWidth),
         EdgeWidth, Qt::black);
    return drawn;
}

} // namespace quintara
