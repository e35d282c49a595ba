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
constexpr int Out = Gap + 2 * EdgeWidth + GoldWidth;

QRect Outer(const PixelRect &place)
{
    return ToQRect(place).adjusted(-Out, -Out, Out, Out);
}

void Ring(QPainter &p, const QRect &outer, int width, const QColor &colour)
{
    p.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), colour);
    p.fillRect(QRect(outer.left(), outer.bottom() - width + 1, outer.width(), width), colour);
    p.fillRect(QRect(outer.left(), outer.top(), width, outer.height()), colour);
    p.fillRect(QRect(outer.right() - width + 1, outer.top(), width, outer.height()), colour);
}

} // namespace

QRegion FocusMarkArea(const TableLayout &layout, const PixelRect &place)
{
    const QRect outer = Outer(place);
    return (QRegion(outer) - QRegion(outer.adjusted(Out - Gap, Out - Gap, Gap - Out, Gap - Out)))
           & TablePainter::BufferedArea(layout);
}

void DrawFocusMark(QImage &window, const TableLayout &layout, const PixelRect &place)
{
    const QRect outer = Outer(place);
    QPainter p(&window);
    p.setClipRegion(FocusMarkArea(layout, place));
    Ring(p, outer, EdgeWidth, Qt::black);
    Ring(p, outer.adjusted(EdgeWidth, EdgeWidth, -EdgeWidth, -EdgeWidth), GoldWidth, QColor(255, 200, 0));
    Ring(p, outer.adjusted(EdgeWidth + GoldWidth, EdgeWidth + GoldWidth, -EdgeWidth - GoldWidth, -EdgeWidth - GoldWidth),
         EdgeWidth, Qt::black);
}

} // namespace quintara
