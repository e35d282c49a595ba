#include "table/drawingtools.h"

#include <QPainter>

#include <cstring>

namespace quintara {

void CopyPixels(QImage &to, QPoint at, const QImage &from, QRect source)
{
    Q_ASSERT(to.format() == from.format() && to.constBits() != from.constBits());
    const QPoint shift = at - source.topLeft();
    const QRect target = (source & from.rect()).translated(shift) & to.rect();
    if (target.isEmpty())
        return;
    const qsizetype pixel = from.depth() / 8;
    const QPoint first = target.topLeft() - shift;
    uchar *into = to.bits() + target.top() * to.bytesPerLine() + target.left() * pixel;
    const uchar *out = from.constBits() + first.y() * from.bytesPerLine() + first.x() * pixel;
    for (int row = 0; row < target.height(); ++row)
        std::memcpy(into + row * to.bytesPerLine(), out + row * from.bytesPerLine(), target.width() * pixel);
}

QFont PanelFont(const QString &family, bool underline)
{
    QFont font(family);
    font.setPointSize(8);
    font.setUnderline(underline);
    return font;
}

void DrawPanelText(QPainter &painter, int x, int y, const QString &text, const QFont &font,
                   const QColor &colour, const QColor &background)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.setBackground(background);
    // Opaque only for the text: shapes drawn in opaque mode come out lopsided.
    const Qt::BGMode mode = painter.backgroundMode();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
    painter.setBackgroundMode(mode);
}

} // namespace quintara
