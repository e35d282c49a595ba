#include "carddrawing.h"

#include <algorithm>
#include <utility>

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "table/drawingtools.h"

namespace quintara {

namespace {

// Cards have rounded corners drawn with a 6 x 6 corner ellipse.
constexpr qreal CornerRadius = 3;
static_assert(RoundedCornerRows >= 2 * CornerRadius);
constexpr qreal OutlineWidth = 2;

bool TintedWhenHighlighted(CardCode card)
{
    return Colour(card) == 2 && Rank(card) >= 1 && Rank(card) <= 9;
}

// The finest detail a screen of this device pixel ratio can show: a
// fractional ratio takes the next finer pictures and shrinks them smoothly.
int DetailFor(qreal ratio)
{
    return std::clamp(qCeil(ratio - 0.001), 1, cardmodule::MaxScale);
}

// The device pixels a card rectangle touches, back in the canvas's units:
// copied whole, they move the card without resampling it.
QRectF WholePixels(const QRect &card, qreal ratio)
{
    const QRect pixels = QRectF(QPointF(card.topLeft()) * ratio, QSizeF(card.size()) * ratio)
                             .toAlignedRect();
    return QRectF(QPointF(pixels.topLeft()) / ratio, QSizeF(pixels.size()) / ratio);
}

// Draws `picture` at its own size (in the canvas's units) from `at`, or
// stretched into `into`; smooth whenever its pixels are not the canvas's.
void DrawPictureOn(QPainter &painter, const QImage &picture, qreal ratio, const QPointF &at,
                   const QRectF &into = QRectF())
{
    const bool ownSize = into.isNull();
    if (picture.devicePixelRatio() != ratio
        || (!ownSize && into.size() != picture.deviceIndependentSize()))
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (ownSize)
        painter.drawImage(at, picture);
    else
        painter.drawImage(into, picture);
}

// The face clipped to its rounded corners, with its black outline, drawn
// with `mode` over whatever `painter` paints on.
void PaintRoundedFace(QPainter &painter, const QImage &picture, qreal ratio, const QRect &card,
                      bool ownSize, QPainter::CompositionMode mode)
{
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(card), CornerRadius, CornerRadius);
    painter.setClipPath(rounded, Qt::IntersectClip);
    painter.setCompositionMode(mode);
    if (ownSize)
        DrawPictureOn(painter, picture, ratio, card.topLeft());
    else
        DrawPictureOn(painter, picture, ratio, card.topLeft(), card);
    // The 2-pixel outline follows the clip's own edge, so that no pixel of
    // the face shows outside it at the rounded corners.
    QPainterPath outline = rounded;
    outline.addRoundedRect(QRectF(card).adjusted(OutlineWidth, OutlineWidth, -OutlineWidth, -OutlineWidth),
                           CornerRadius - 1, CornerRadius - 1);
    outline.setFillRule(Qt::OddEvenFill);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillPath(outline, Qt::black);
}

// The picture's pixels are the canvas's own, at the card's size: a face is
// then finished once and laid down as a copy.
bool OwnPixels(const QImage &picture, qreal ratio, const QRect &card)
{
    return picture.devicePixelRatio() == ratio && picture.deviceIndependentSize() == QSizeF(card.size());
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

QImage CardPainter::Picture(int number, qreal ratio)
{
    const bool face = number <= LastFaceNumber;
    return library.Bitmap(number,
                          face && !origCardSize ? cardmodule::CardSize::Large
                                                : cardmodule::CardSize::Normal,
                          DetailFor(ratio));
}

const CardPainter::FinishedFace &CardPainter::Finished(int number, const QImage &picture, const QRect &card)
{
    if (finishedRatio != picture.devicePixelRatio()) {
        finishedFaces.fill(FinishedFace());
        finishedRatio = picture.devicePixelRatio();
    }
    FinishedFace &finished = finishedFaces[number - 1];
    if (finished.opaque.isNull()) {
        QImage rounded(picture.size(), QImage::Format_ARGB32_Premultiplied);
        rounded.setDevicePixelRatio(picture.devicePixelRatio());
        rounded.fill(Qt::transparent);
        {
            QPainter painter(&rounded);
            PaintRoundedFace(painter, picture, picture.devicePixelRatio(), QRect(QPoint(0, 0), card.size()),
                             true, QPainter::CompositionMode_Source);
        }
        const auto opaqueRow = [&rounded](int y) {
            const auto *row = reinterpret_cast<const QRgb *>(rounded.constScanLine(y));
            return std::all_of(row, row + rounded.width(), [](QRgb pixel) { return qAlpha(pixel) == 255; });
        };
        // On whole rows of the card's own units, so that every part falls
        // on whole pixels of the canvas.
        const int scale = qRound(picture.devicePixelRatio());
        int from = 0;
        while (from < rounded.height() && !opaqueRow(from))
            ++from;
        int to = rounded.height();
        while (to > from && !opaqueRow(to - 1))
            --to;
        from = (from + scale - 1) / scale * scale;
        to = std::max(from, to / scale * scale);
        const auto rows = [&rounded](int first, int end) {
            QImage part = rounded.copy(0, first, rounded.width(), end - first);
            part.setDevicePixelRatio(rounded.devicePixelRatio());
            return part;
        };
        finished.top = rows(0, from);
        finished.bottom = rows(to, rounded.height());
        finished.opaqueFrom = from;
        finished.opaqueTo = to;
        finished.opaque = rounded.convertToFormat(QImage::Format_RGB32);
    }
    return finished;
}

void CardPainter::DrawCard(QImage &canvas, QImage &window, int x, int y, std::int32_t value,
                           std::int32_t mode, Rgb colour)
{
    if (!library.Usable())
        return;
    const QRect card(x, y, cardSize.width, cardSize.height);
    const bool face = CardBitmapNumber(value) <= LastFaceNumber;
    if ((mode == DrawNormal || mode == DrawHighlighted) && face) {
        DrawFace(canvas, window, card, value, mode == DrawHighlighted, card.height());
    } else if (mode == DrawPicture) {
        DrawPictureByNumber(canvas, x, y, value);
    } else if (mode == DrawBlank) {
        QPainter painter(&canvas);
        painter.fillRect(card, QColor(colour.red, colour.green, colour.blue));
    }
}

void CardPainter::DrawCardTop(QImage &canvas, int x, int y, CardCode card, int rows)
{
    if (library.Usable() && CardBitmapNumber(card) <= LastFaceNumber && rows > 0)
        DrawFace(canvas, canvas, QRect(x, y, cardSize.width, cardSize.height), card, false,
                 std::min(rows, cardSize.height));
}

QRect CardPainter::OpaquePart(const QImage &canvas, int x, int y, std::int32_t value, std::int32_t mode, int rows)
{
    if (!library.Usable())
        return {};
    const qreal ratio = canvas.devicePixelRatio();
    const QRect card(x, y, cardSize.width, cardSize.height);
    if (mode == DrawNormal && CardBitmapNumber(value) <= LastFaceNumber) {
        const int number = CardBitmapNumber(value);
        const QImage picture = Picture(number, ratio);
        if (picture.isNull() || !OwnPixels(picture, ratio, card))
            return {};
        // The rows copied whole, between the rounded corners.
        const FinishedFace &f = Finished(number, picture, card);
        const int scale = qRound(ratio);
        const int top = f.opaqueFrom / scale;
        return QRect(x, y + top, card.width(), std::min({f.opaqueTo / scale, rows, card.height()}) - top);
    }
    if (mode == DrawPicture) {
        const QImage picture = Picture(value, ratio);
        if (!picture.isNull() && picture.devicePixelRatio() == ratio && picture.format() == canvas.format())
            return QRect(QPoint(x, y), picture.deviceIndependentSize().toSize());
    }
    return {};
}

void CardPainter::DrawFace(QImage &canvas, QImage &window, const QRect &card, CardCode value,
                           bool highlighted, int rows)
{
    const qreal ratio = canvas.devicePixelRatio();
    const int number = CardBitmapNumber(value);
    const QImage picture = Picture(number, ratio);
    if (picture.isNull())
        return;
    {
        QPainter painter(&canvas);
        // A face whose pixels are the canvas's own is rounded and outlined
        // once, then laid down whole: a plain copy instead of a clipped
        // drawing for each card, which on a fine screen costs many times more.
        if (OwnPixels(picture, ratio, card) && !highlighted) {
            const FinishedFace &f = Finished(number, picture, card);
            const int scale = qRound(ratio);
            const int end = rows * scale;
            // Rows `from` to `to` of the face (in pixels), out of `part`,
            // which begins at the face's row `first`.
            const auto lay = [&](const QImage &part, int first, int from, int to) {
                to = std::min(to, end);
                if (to > from)
                    painter.drawImage(QPoint(card.left(), card.top() + from / scale), part,
                                      QRect(0, from - first, part.width(), to - from));
            };
            lay(f.top, 0, 0, f.opaqueFrom);
            lay(f.bottom, f.opaqueTo, f.opaqueTo, f.opaque.height());
            if (canvas.format() == f.opaque.format()) {
                painter.end();
                CopyPixels(canvas, card.topLeft() * scale + QPoint(0, f.opaqueFrom), f.opaque,
                           QRect(0, f.opaqueFrom, f.opaque.width(), std::min(f.opaqueTo, end) - f.opaqueFrom));
            } else {
                painter.setCompositionMode(QPainter::CompositionMode_Source);
                lay(f.opaque, 0, f.opaqueFrom, f.opaqueTo);
            }
        } else {
            if (rows < card.height())
                painter.setClipRect(QRect(card.topLeft(), QSize(card.width(), rows)));
            PaintRoundedFace(painter, picture, ratio, card, origCardSize,
                             highlighted ? QPainter::RasterOp_NotSource
                                         : QPainter::CompositionMode_Source);
        }
    }
    if (!highlighted)
        return;

    // The highlight must show at once, before the buffers reach the window,
    // whose pixels match the canvas's.
    const QRectF whole = WholePixels(card, ratio);
    const QRectF pixels(whole.topLeft() * ratio, whole.size() * ratio);
    QPainter painter(&window);
    if (&window != &canvas) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(whole, canvas, pixels);
    }
    if (TintedWhenHighlighted(value)) {
        painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
        painter.drawImage(card.topLeft(), redMask);
    }
}

void CardPainter::DrawPictureByNumber(QImage &canvas, int x, int y, int number)
{
    const qreal ratio = canvas.devicePixelRatio();
    const QImage picture = Picture(number, ratio);
    if (picture.isNull())
        return;
    // A picture with the canvas's own pixels is copied as it is.
    if (picture.devicePixelRatio() == ratio && picture.format() == canvas.format()) {
        CopyPixels(canvas, QPoint(x, y) * qRound(ratio), picture, picture.rect());
        return;
    }
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    DrawPictureOn(painter, picture, ratio, QPointF(x, y));
}

} // namespace quintara
