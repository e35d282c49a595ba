#include "table/buttonart.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quintara {

namespace {

template <typename Draw>
QIcon Paint(int size, Draw draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return QIcon(pixmap);
}

} // namespace

QIcon ClearTableIcon()
{
    // Two fanned cards and a small broom sweeping them off.
    return Paint(28, [](QPainter &p) {
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(Qt::white);
        p.save();
        p.translate(11, 14);
        p.rotate(-14);
        p.drawRoundedRect(QRectF(-6, -9, 12, 17), 2, 2);
        p.restore();
        p.save();
        p.translate(15, 13);
        p.rotate(10);
        p.drawRoundedRect(QRectF(-6, -9, 12, 17), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 20, 30));
        QPainterPath heart;
        heart.moveTo(0, 3);
        heart.cubicTo(-5, -1, -2, -5, 0, -2);
        heart.cubicTo(2, -5, 5, -1, 0, 3);
        p.drawPath(heart);
        p.restore();
        p.setPen(QPen(QColor(120, 70, 20), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 26), QPointF(24, 19));
        p.setPen(QPen(QColor(220, 180, 60), 1.5));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(21 + i, 18 + i * 0.4), QPointF(27, 21 + i * 1.6));
    });
}

QIcon UndoIcon()
{
    return Paint(16, [](QPainter &p) {
        p.setPen(QPen(QColor(0, 90, 170), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 4, 11, 10), 90 * 16, -250 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 90, 170));
        p.drawPolygon(QPolygonF({{1, 4.5}, {7.5, 0.5}, {7.5, 8.5}}));
    });
}

QIcon ShowIcon()
{
    return Paint(16, [](QPainter &p) {
        QPainterPath eye;
        eye.moveTo(1, 8);
        eye.quadTo(8, 0, 15, 8);
        eye.quadTo(8, 16, 1, 8);
        p.setPen(QPen(QColor(30, 30, 30), 1.2));
        p.setBrush(Qt::white);
        p.drawPath(eye);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 130, 60));
        p.drawEllipse(QPointF(8, 8), 3.2, 3.2);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(8, 8), 1.4, 1.4);
    });
}

} // namespace quintara
