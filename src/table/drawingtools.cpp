#include "table/drawingtools.h"

#include <QPainter>

#include <cmath>
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

void CopyRegion(QImage &to, const QImage &from, const QRegion &region, QPoint origin)
{
    // Both share the window's scale: each rectangle moves the screen's
    // pixels one to one, at any scale.
    const qreal scale = from.devicePixelRatio();
    if (SamePixels(from, to) && to.format() == from.format()) {
        const int pixels = qRound(scale);
        for (const QRect &r : region)
            CopyPixels(to, r.topLeft() * pixels, from, QRect((r.topLeft() - origin) * pixels, r.size() * pixels));
        return;
    }
    QPainter p(&to);
    for (const QRect &r : region)
        p.drawImage(QRectF(r), from, QRectF(QPointF(r.topLeft() - origin) * scale, QSizeF(r.size()) * scale));
}

QImage PartOf(QImage &image, const QRect &area)
{
    const int scale = qRound(image.devicePixelRatio());
    const QRect pixels = QRect(area.topLeft() * scale, area.size() * scale) & image.rect();
    uchar *first = image.bits() + qsizetype(pixels.top()) * image.bytesPerLine()
                   + qsizetype(pixels.left()) * (image.depth() / 8);
    QImage part(first, pixels.width(), pixels.height(), image.bytesPerLine(), image.format());
    part.setDevicePixelRatio(scale);
    return part;
}

bool SamePixels(const QImage &a, const QImage &b)
{
    const qreal scale = a.devicePixelRatio();
    return scale == std::floor(scale) && b.devicePixelRatio() == scale;
}

void FillArea(QImage &image, const QRegion &area, const QColor &colour)
{
    QPainter p(&image);
    for (const QRect &r : area)
        p.fillRect(r, colour);
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
