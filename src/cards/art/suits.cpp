#include "suits.h"

#include <QPainter>

namespace zozaro {

namespace {

QPainterPath HeartPath()
{
    QPainterPath path;
    path.moveTo(0, 0.5);
    path.cubicTo(-0.18, 0.3, -0.5, 0.08, -0.5, -0.2);
    path.cubicTo(-0.5, -0.39, -0.37, -0.5, -0.24, -0.5);
    path.cubicTo(-0.12, -0.5, -0.03, -0.43, 0, -0.31);
    path.cubicTo(0.03, -0.43, 0.12, -0.5, 0.24, -0.5);
    path.cubicTo(0.37, -0.5, 0.5, -0.39, 0.5, -0.2);
    path.cubicTo(0.5, 0.08, 0.18, 0.3, 0, 0.5);
    path.closeSubpath();
    return path;
}

QPainterPath DiamondPath()
{
    // Slightly hollow sides keep the diamond from looking like a plain square.
    QPainterPath path;
    path.moveTo(0, -0.5);
    path.quadTo(0.15, -0.2, 0.39, 0);
    path.quadTo(0.15, 0.2, 0, 0.5);
    path.quadTo(-0.15, 0.2, -0.39, 0);
    path.quadTo(-0.15, -0.2, 0, -0.5);
    path.closeSubpath();
    return path;
}

// A stem that widens into a foot, shared by spades and clubs.
QPainterPath StemPath(qreal top)
{
    QPainterPath path;
    path.moveTo(-0.045, top);
    path.lineTo(0.045, top);
    path.cubicTo(0.05, 0.3, 0.1, 0.45, 0.22, 0.5);
    path.lineTo(-0.22, 0.5);
    path.cubicTo(-0.1, 0.45, -0.05, 0.3, -0.045, top);
    path.closeSubpath();
    return path;
}

QPainterPath SpadePath()
{
    QPainterPath body;
    body.moveTo(0, -0.5);
    body.cubicTo(0.16, -0.3, 0.5, -0.12, 0.5, 0.11);
    body.cubicTo(0.5, 0.28, 0.38, 0.37, 0.25, 0.37);
    body.cubicTo(0.14, 0.37, 0.05, 0.31, 0, 0.2);
    body.cubicTo(-0.05, 0.31, -0.14, 0.37, -0.25, 0.37);
    body.cubicTo(-0.38, 0.37, -0.5, 0.28, -0.5, 0.11);
    body.cubicTo(-0.5, -0.12, -0.16, -0.3, 0, -0.5);
    body.closeSubpath();
    return body.united(StemPath(0.15));
}

QPainterPath ClubPath()
{
    QPainterPath leaves;
    const qreal r = 0.235;
    leaves.addEllipse(QPointF(0, -0.265), r, r);
    leaves.addEllipse(QPointF(-0.265, 0.09), r, r);
    leaves.addEllipse(QPointF(0.265, 0.09), r, r);
    QPainterPath heart;
    heart.addEllipse(QPointF(0, 0.02), 0.14, 0.14);
    return leaves.united(heart).united(StemPath(0.1));
}

} // namespace

bool IsRed(int suit)
{
    return suit == Hearts || suit == Diamonds;
}

QColor SuitInk(int suit)
{
    return IsRed(suit) ? QColor(206, 17, 38) : QColor(22, 22, 28);
}

QPainterPath SuitPath(int suit)
{
    switch (suit) {
    case Hearts:
        return HeartPath();
    case Diamonds:
        return DiamondPath();
    case Spades:
        return SpadePath();
    default:
        return ClubPath();
    }
}

void DrawSuit(QPainter &painter, int suit, QPointF centre, qreal height, const QColor &ink,
              bool upsideDown)
{
    painter.save();
    painter.translate(centre);
    painter.scale(height, upsideDown ? -height : height);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(SuitPath(suit));
    painter.restore();
}

} // namespace zozaro
