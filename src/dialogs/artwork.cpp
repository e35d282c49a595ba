#include "dialogs/artwork.h"

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>

namespace quintara {

namespace {

const QColor Gold(222, 184, 72);
const QColor Cream(250, 246, 232);
const QColor BackRed(168, 32, 44);

// A card seen from its back: cream edge, a red field crossed by a lattice.
void DrawCardBack(QPainter &p, const QRectF &card, qreal radius)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Cream);
    p.drawRoundedRect(card, radius, radius);
    const QRectF field = card.adjusted(card.width() * 0.12, card.width() * 0.12,
                                       -card.width() * 0.12, -card.width() * 0.12);
    p.setPen(Qt::NoPen);
    p.setBrush(BackRed);
    p.drawRoundedRect(field, radius / 2, radius / 2);
    p.save();
    p.setClipRect(field);
    p.setPen(QPen(QColor(240, 200, 120, 170), 1));
    const qreal step = field.width() / 4;
    for (qreal d = -field.height(); d < field.width() + field.height(); d += step) {
        p.drawLine(QPointF(field.left() + d, field.top()),
                   QPointF(field.left() + d - field.height(), field.bottom()));
        p.drawLine(QPointF(field.left() + d - field.height(), field.top()),
                   QPointF(field.left() + d, field.bottom()));
    }
    p.restore();
}

QIcon TickIcon()
{
    QPixmap tick(16, 16);
    tick.fill(Qt::transparent);
    QPainter p(&tick);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(2.5, 8.5);
    path.lineTo(6.5, 12.5);
    path.lineTo(13.5, 3.5);
    p.setPen(QPen(QColor(0, 128, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    return QIcon(tick);
}

} // namespace

QColor ScrollBarColour()
{
    return {200, 200, 200};
}

QPixmap QuintaraBanner()
{
    QPixmap banner(BannerWidth, BannerHeight);
    banner.fill(Qt::transparent);
    QPainter p(&banner);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF ribbon(0.5, 0.5, BannerWidth - 1, BannerHeight - 1);
    QLinearGradient sky(ribbon.topLeft(), ribbon.topRight());
    sky.setColorAt(0, QColor(16, 44, 120));
    sky.setColorAt(1, QColor(22, 118, 132));
    p.setPen(QPen(Gold, 1));
    p.setBrush(sky);
    p.drawRoundedRect(ribbon, 5, 5);

    // Three small cards fanned at the left end.
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(13, 21);
        p.rotate(-20 + 20 * i);
        DrawCardBack(p, QRectF(-5, -16, 10, 14), 1.5);
        p.restore();
    }

    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(15);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(Cream);
    p.drawText(QRectF(26, 0, BannerWidth - 30, BannerHeight), Qt::AlignCenter,
               QStringLiteral("Buona partita!"));
    return banner;
}

QPixmap QuintaraPicture(int width, int height)
{
    QPixmap picture(width, height);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF cloth(1, 1, width - 2, height - 2);
    QRadialGradient felt(cloth.center(), cloth.height() * 0.7);
    felt.setColorAt(0, QColor(40, 140, 70));
    felt.setColorAt(1, QColor(8, 72, 36));
    p.setPen(QPen(Gold, 2));
    p.setBrush(felt);
    p.drawRoundedRect(cloth, 10, 10);

    // Five cards fanned around a point below the cloth's centre: four backs,
    // and in front the face that gives the game its initial.
    const qreal cardW = width * 0.36;
    const qreal cardH = cardW * 1.4;
    const QPointF pivot(width / 2.0, height * 0.74);
    const QRectF card(-cardW / 2, -cardH - 4, cardW, cardH);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(pivot);
        p.rotate(-36 + 18 * i);
        DrawCardBack(p, card, 4);
        p.restore();
    }
    p.save();
    p.translate(pivot);
    p.rotate(36);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Cream);
    p.drawRoundedRect(card, 4, 4);
    QFont initial(QStringLiteral("Times New Roman"));
    initial.setPixelSize(qRound(cardH * 0.62));
    initial.setBold(true);
    p.setFont(initial);
    p.setPen(BackRed);
    p.drawText(card, Qt::AlignCenter, QStringLiteral("Q"));
    p.restore();

    QFont name(QStringLiteral("Times New Roman"));
    name.setPixelSize(height / 9);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(name);
    p.setPen(Gold);
    p.drawText(QRectF(0, height * 0.78, width, height * 0.2), Qt::AlignCenter,
               QStringLiteral("QUINTARA"));
    return picture;
}

QPushButton *MakeOkButton(QDialog *dialog)
{
    auto *button = new QPushButton(TickIcon(), QStringLiteral("OK"), dialog);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

} // namespace quintara
