#include "courts.h"

#include <array>

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "suits.h"

namespace zozaro {

namespace {

const QColor Gold(232, 180, 40);
const QColor Blue(36, 72, 160);
const QColor Skin(253, 226, 198);
const QColor Cream(254, 249, 236);
const QColor Line(50, 34, 26);
const QColor Brown(128, 74, 32);
const QColor Ermine(250, 250, 246);
const QColor Leaf(34, 128, 52);
const QColor Green(28, 112, 64);

QPen Outline(qreal width = 0.7)
{
    return QPen(Line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Where the figure of one half stands: x of its axis, the panel's middle
// line (its waist) and the centre of its head.
struct Pose {
    qreal cx;
    qreal waist;
    qreal headY;
};

void FillPath(QPainter &painter, const QPainterPath &path, const QColor &fill, qreal line = 0.7)
{
    painter.setPen(Outline(line));
    painter.setBrush(fill);
    painter.drawPath(path);
}

void DrawBody(QPainter &painter, const Pose &pose, const QColor &robe, const QColor &trim)
{
    const qreal cx = pose.cx;
    const qreal w = pose.waist;
    QPainterPath body;
    body.moveTo(cx - 17, w);
    body.cubicTo(cx - 16, w - 6, cx - 14, w - 10.5, cx - 8, w - 11);
    body.lineTo(cx + 8, w - 11);
    body.cubicTo(cx + 14, w - 10.5, cx + 16, w - 6, cx + 17, w);
    body.closeSubpath();
    FillPath(painter, body, robe);

    QPainterPath band;
    band.addRect(QRectF(cx - 2, w - 10, 4, 10));
    FillPath(painter, band, trim, 0.5);

    QPainterPath neck;
    neck.addRect(QRectF(cx - 1.8, pose.headY + 4, 3.6, 3.5));
    FillPath(painter, neck, Skin, 0.5);
}

void DrawFace(QPainter &painter, const Pose &pose)
{
    QPainterPath head;
    head.addEllipse(QPointF(pose.cx, pose.headY), 4.6, 5.2);
    FillPath(painter, head, Skin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Line);
    painter.drawEllipse(QPointF(pose.cx - 1.7, pose.headY - 0.6), 0.6, 0.6);
    painter.drawEllipse(QPointF(pose.cx + 1.7, pose.headY - 0.6), 0.6, 0.6);
    painter.setPen(QPen(QColor(196, 90, 80), 0.6));
    painter.drawLine(QPointF(pose.cx - 1, pose.headY + 2.4), QPointF(pose.cx + 1, pose.headY + 2.4));
}

void DrawHand(QPainter &painter, QPointF at)
{
    QPainterPath hand;
    hand.addEllipse(at, 1.8, 1.8);
    FillPath(painter, hand, Skin, 0.5);
}

// A crown on a head centred at `headY`: a band and `points` spikes with knobs.
void DrawCrown(QPainter &painter, const Pose &pose, qreal halfWidth, qreal height,
               const QColor &jewel)
{
    const qreal base = pose.headY - 3.6;
    const qreal cx = pose.cx;
    QPolygonF crown({QPointF(cx - halfWidth, base), QPointF(cx - halfWidth - 1, base - height),
                     QPointF(cx - halfWidth / 2, base - height * 0.55),
                     QPointF(cx, base - height - 1),
                     QPointF(cx + halfWidth / 2, base - height * 0.55),
                     QPointF(cx + halfWidth + 1, base - height), QPointF(cx + halfWidth, base)});
    QPainterPath path;
    path.addPolygon(crown);
    path.closeSubpath();
    FillPath(painter, path, Gold);
    painter.setPen(Qt::NoPen);
    painter.setBrush(jewel);
    painter.drawEllipse(QPointF(cx, base - 1.6), 1.1, 1.1);
}

void DrawKing(QPainter &painter, const Pose &pose, const QColor &ink)
{
    const qreal cx = pose.cx;
    DrawBody(painter, pose, ink, Gold);

    // Ermine cape over the shoulders.
    QPainterPath cape;
    cape.moveTo(cx - 10, pose.waist - 10.8);
    cape.quadTo(cx, pose.waist - 1, cx + 10, pose.waist - 10.8);
    cape.quadTo(cx, pose.waist - 13, cx - 10, pose.waist - 10.8);
    FillPath(painter, cape, Ermine, 0.6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Line);
    for (qreal dx : {-6.0, -2.0, 2.0, 6.0})
        painter.drawRect(QRectF(cx + dx - 0.5, pose.waist - 9.5 + qAbs(dx) * -0.2, 1, 1.4));

    DrawFace(painter, pose);
    QPainterPath beard;
    beard.moveTo(cx - 4.4, pose.headY + 0.5);
    beard.cubicTo(cx - 4.5, pose.headY + 7, cx - 2, pose.headY + 9, cx, pose.headY + 9.5);
    beard.cubicTo(cx + 2, pose.headY + 9, cx + 4.5, pose.headY + 7, cx + 4.4, pose.headY + 0.5);
    beard.cubicTo(cx + 3, pose.headY + 3, cx - 3, pose.headY + 3, cx - 4.4, pose.headY + 0.5);
    FillPath(painter, beard, QColor(230, 230, 226), 0.5);
    DrawCrown(painter, pose, 4.6, 6, ink);

    // The sceptre, held up at the figure's side.
    painter.setPen(QPen(Gold.darker(140), 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(cx + 13, pose.waist - 1), QPointF(cx + 13, pose.headY - 5));
    QPainterPath orb;
    orb.addEllipse(QPointF(cx + 13, pose.headY - 6.5), 2, 2);
    FillPath(painter, orb, Gold, 0.5);
    DrawHand(painter, QPointF(cx + 13, pose.waist - 7));
}

void DrawQueen(QPainter &painter, const Pose &pose, const QColor &ink)
{
    const qreal cx = pose.cx;
    QPainterPath hair;
    hair.moveTo(cx - 5.5, pose.headY + 8);
    hair.cubicTo(cx - 8, pose.headY, cx - 6, pose.headY - 6.5, cx, pose.headY - 6.2);
    hair.cubicTo(cx + 6, pose.headY - 6.5, cx + 8, pose.headY, cx + 5.5, pose.headY + 8);
    hair.closeSubpath();
    FillPath(painter, hair, Brown, 0.5);

    DrawBody(painter, pose, Blue, ink);
    // A row of pearls at the neckline.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Gold);
    for (qreal dx = -6; dx <= 6; dx += 2.4)
        painter.drawEllipse(QPointF(cx + dx, pose.waist - 10 + qAbs(dx) * -0.12), 0.9, 0.9);

    DrawFace(painter, pose);
    DrawCrown(painter, pose, 3.6, 4.5, ink);

    // A flower in the suit's colour.
    painter.setPen(QPen(Leaf, 1, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(cx + 13, pose.waist - 1), QPointF(cx + 12.5, pose.headY - 3));
    painter.setPen(Outline(0.4));
    painter.setBrush(ink);
    const QPointF blossom(cx + 12.5, pose.headY - 4.5);
    for (int petal = 0; petal < 5; ++petal) {
        QTransform turn;
        turn.rotate(petal * 72.0);
        painter.drawEllipse(blossom + turn.map(QPointF(0, -1.7)), 1.35, 1.35);
    }
    painter.setBrush(Gold);
    painter.drawEllipse(blossom, 0.9, 0.9);
    DrawHand(painter, QPointF(cx + 12.8, pose.waist - 7));
}

void DrawJack(QPainter &painter, const Pose &pose, const QColor &ink, bool red)
{
    const qreal cx = pose.cx;
    DrawBody(painter, pose, red ? ink : Green, Gold);
    // A white collar.
    QPainterPath collar;
    collar.moveTo(cx - 6, pose.waist - 11);
    collar.quadTo(cx, pose.waist - 6, cx + 6, pose.waist - 11);
    collar.closeSubpath();
    FillPath(painter, collar, Ermine, 0.5);

    QPainterPath locks;
    locks.addEllipse(QPointF(cx, pose.headY + 0.5), 5.4, 5.2);
    FillPath(painter, locks, Brown, 0.5);
    DrawFace(painter, pose);

    // A beret with a feather.
    QPainterPath cap;
    cap.moveTo(cx - 6, pose.headY - 2.5);
    cap.cubicTo(cx - 6.5, pose.headY - 8.5, cx + 5, pose.headY - 9.5, cx + 7, pose.headY - 3.5);
    cap.closeSubpath();
    FillPath(painter, cap, red ? Blue : ink);
    QPainterPath brim;
    brim.addRect(QRectF(cx - 6, pose.headY - 4, 12.5, 1.8));
    FillPath(painter, brim, Gold, 0.5);
    QPainterPath feather;
    feather.moveTo(cx - 3, pose.headY - 6.5);
    feather.cubicTo(cx - 8, pose.headY - 12, cx - 12, pose.headY - 10, cx - 13, pose.headY - 7.5);
    feather.cubicTo(cx - 10, pose.headY - 9, cx - 7, pose.headY - 8.5, cx - 3, pose.headY - 6.5);
    FillPath(painter, feather, Gold, 0.5);

    // A halberd.
    painter.setPen(QPen(Brown, 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(cx + 13, pose.waist - 1), QPointF(cx + 13, pose.headY - 8));
    QPainterPath blade;
    blade.moveTo(cx + 13, pose.headY - 11);
    blade.lineTo(cx + 15.5, pose.headY - 6);
    blade.quadTo(cx + 16, pose.headY - 3.5, cx + 13, pose.headY - 4);
    blade.closeSubpath();
    FillPath(painter, blade, QColor(206, 210, 220), 0.5);
    DrawHand(painter, QPointF(cx + 13, pose.waist - 7));
}

// One half of the double-ended figure, standing on the panel's middle line,
// with the rank's letter and the suit in the free corner.
void DrawHalf(QPainter &painter, const QRectF &panel, int suit, int rank)
{
    const QColor ink = SuitInk(suit);
    const Pose pose{panel.center().x() + 4.5, panel.center().y(), panel.center().y() - 16.5};
    switch (rank) {
    case King:
        DrawKing(painter, pose, ink);
        break;
    case Queen:
        DrawQueen(painter, pose, ink);
        break;
    default:
        DrawJack(painter, pose, ink, IsRed(suit));
        break;
    }

    static const std::array<const char *, 3> letters = {"F", "D", "R"};
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(17);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRectF(panel.left() + 1, panel.top() + 1, 13, 16), Qt::AlignCenter,
                     QString::fromLatin1(letters[rank - Jack]));
    DrawSuit(painter, suit, QPointF(panel.left() + 7.5, panel.top() + 22), 8, ink);
}

} // namespace

void DrawCourtPanel(QPainter &painter, const QRectF &panel, int suit, int rank)
{
    painter.save();
    painter.setPen(QPen(SuitInk(suit), 1));
    painter.setBrush(Cream);
    painter.drawRect(panel);

    const QRectF inner = panel.adjusted(0.5, 0.5, -0.5, -0.5);
    const QPointF centre = panel.center();
    for (int half = 0; half < 2; ++half) {
        painter.save();
        painter.setClipRect(QRectF(inner.left(), inner.top(), inner.width(),
                                   centre.y() - inner.top()));
        DrawHalf(painter, panel, suit, rank);
        painter.restore();
        painter.translate(centre);
        painter.rotate(180);
        painter.translate(-centre);
    }
    painter.setPen(QPen(Gold.darker(115), 1));
    painter.drawLine(QPointF(inner.left(), centre.y()), QPointF(inner.right(), centre.y()));
    painter.restore();
}

} // namespace zozaro
