#include "table/cursors.h"

#include <QBitmap>
#include <QPainter>
#include <QPolygon>

namespace quintara {

namespace {

// A bold arrow, 32 x 32, monochrome: black with a white rim so it reads on
// the green table and on white cards alike. Drawn pointing up; the down
// arrow is its mirror image.
QCursor MakeArrow(bool down)
{
    const QPolygon arrow({{16, 1}, {30, 15}, {22, 15}, {22, 30}, {10, 30}, {10, 15}, {2, 15}});
    QBitmap shape(32, 32);
    QBitmap mask(32, 32);
    shape.fill(Qt::color0);
    mask.fill(Qt::color0);
    {
        QPainter p(&mask);
        p.setPen(QPen(Qt::color1, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::color1);
        if (down)
            p.setTransform(QTransform(1, 0, 0, -1, 0, 31));
        p.drawPolygon(arrow);
    }
    {
        QPainter p(&shape);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::color1);
        if (down)
            p.setTransform(QTransform(1, 0, 0, -1, 0, 31));
        p.drawPolygon(arrow);
    }
    return QCursor(shape, mask, 16, down ? 30 : 1);
}

} // namespace

QCursor LargeUpCursor()
{
    return MakeArrow(false);
}

QCursor LargeDownCursor()
{
    return MakeArrow(true);
}

} // namespace quintara
