#include "table/cursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace quintara {

namespace {

// A bold arrow, 32 x 32 table pixels: black with a white rim so it reads on
// the green table and on white cards alike. Drawn pointing up; the down
// arrow is its mirror image. Painted with `scale` screen pixels to each of
// the table's, as the cards are, so it is as large and as smooth as the
// desktop's own pointers.
QCursor MakeArrow(bool down, qreal scale)
{
    const QPolygon arrow({{16, 1}, {30, 15}, {22, 15}, {22, 30}, {10, 30}, {10, 15}, {2, 15}});
    const int side = qRound(32 * scale);
    QPixmap picture(side, side);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    if (down)
        p.setTransform(QTransform(1, 0, 0, -1, 0, 31));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
    p.end();
    return QCursor(picture, 16, down ? 30 : 1);
}

} // namespace

QCursor LargeUpCursor(qreal scale)
{
    return MakeArrow(false, scale);
}

QCursor LargeDownCursor(qreal scale)
{
    return MakeArrow(true, scale);
}

} // namespace quintara
