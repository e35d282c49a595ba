#include "carddrawing.h"

#include <utility>

#include <QPainter>
#include <QPainterPath>

namespace quintara {

namespace {

// Cards have rounded corners drawn with a 6 x 6 corner ellipse.
constexpr qreal CornerRadius = 3;
constexpr qreal OutlineWidth = 2;

bool TintedWhenHighlighted(CardCode card)
{
    return Colour(card) == 2 && Rank(card) >= 1 && Rank(card) <= 9;
}

} // namespace

CardPainter::CardPainter(Shell &shell, Size cardSize, bool origCardSize, QString libraryFile)
    : library(shell, std::move(libraryFile)),
      cardSize(cardSize),
      origCardSize(origCardSize),
      redMask(cardSize.width, cardSize.height, QImage::Format_RGB32)
{
    redMask.fill(QColor(255, 0, 0));
}

void CardPainter::DrawCard(QImage &canvas, QImage &window, int x, int y, std::int32_t value,
                           std::int32_t mode, Rgb colour)
{
    if (!library.Usable())
        return;
    const QRect card(x, y, cardSize.width, cardSize.height);
    const bool face = CardBitmapNumber(value) <= LastFaceNumber;
    if ((mode == DrawNormal || mode == DrawHighlighted) && face) {
        DrawFace(canvas, window, card, value, mode == DrawHighlighted);
    } else if (mode == DrawPicture) {
        DrawPictureByNumber(canvas, x, y, value);
    } else if (mode == DrawBlank) {
        QPainter painter(&canvas);
        painter.fillRect(card, QColor(colour.red, colour.green, colour.blue));
    }
}

void CardPainter::DrawFace(QImage &canvas, QImage &window, const QRect &card, CardCode value,
                           bool highlighted)
{
    const QImage picture = library.Bitmap(CardBitmapNumber(value));
    if (picture.isNull())
        return;
    {
        QPainter painter(&canvas);
        QPainterPath rounded;
        rounded.addRoundedRect(QRectF(card), CornerRadius, CornerRadius);
        painter.setClipPath(rounded);
        painter.setCompositionMode(highlighted ? QPainter::RasterOp_NotSource
                                               : QPainter::CompositionMode_Source);
        if (origCardSize) {
            painter.drawImage(card.topLeft(), picture);
        } else {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(card, picture);
        }
        // The 2-pixel outline follows the clip's own edge, so that no pixel of
        // the face shows outside it at the rounded corners.
        QPainterPath outline = rounded;
        outline.addRoundedRect(QRectF(card).adjusted(OutlineWidth, OutlineWidth, -OutlineWidth,
                                                     -OutlineWidth),
                               CornerRadius - 1, CornerRadius - 1);
        outline.setFillRule(Qt::OddEvenFill);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.fillPath(outline, Qt::black);
    }
    if (!highlighted)
        return;

    // The highlight must show at once, before the buffers reach the window.
    QPainter painter(&window);
    if (&window != &canvas) {
        // Both pictures share the window's origin and scale: a clipped copy
        // moves the screen's pixels one to one.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.save();
        painter.setClipRect(card);
        painter.drawImage(0, 0, canvas);
        painter.restore();
    }
    if (TintedWhenHighlighted(value)) {
        painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
        painter.drawImage(card.topLeft(), redMask);
    }
}

void CardPainter::DrawPictureByNumber(QImage &canvas, int x, int y, int number)
{
    const QImage picture = library.Bitmap(number);
    if (picture.isNull())
        return;
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(x, y, picture);
}

} // namespace quintara
