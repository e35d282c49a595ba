#include "faces.h"

#include <array>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPathStroker>

#include "courts.h"
#include "suits.h"

namespace zozaro {

namespace {

// In a column only the top of a covered card shows: the index must be read
// in this strip alone.
constexpr int IndexStripHeight = 18;
constexpr qreal IndexMargin = 3;
constexpr qreal IndexBaseline = 14;
constexpr qreal IndexSuitHeight = 10.5;

const std::array<const char *, RankCount> RankLabels = {"A", "2", "3", "4", "5", "6", "7",
                                                        "8", "9", "10", "F", "D", "R"};

QFont IndexFont(int rank)
{
    // Two digits must not crowd the suit symbol: the ten takes the narrow face.
    QFont font(rank == 9 ? QStringLiteral("Liberation Sans Narrow")
                         : QStringLiteral("Liberation Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Rank and suit in both top corners, the right one mirrored in its order.
void DrawIndexStrip(QPainter &painter, int suit, int rank)
{
    const QColor ink = SuitInk(suit);
    const QFont font = IndexFont(rank);
    const QString label = QString::fromLatin1(RankLabels[rank]);
    const qreal labelWidth = QFontMetricsF(font).horizontalAdvance(label);
    const qreal suitY = IndexBaseline - 5.5;
    const qreal gap = 1.5;

    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QPointF(IndexMargin, IndexBaseline), label);
    DrawSuit(painter, suit, QPointF(IndexMargin + labelWidth + gap + IndexSuitHeight / 2, suitY),
             IndexSuitHeight, ink);

    const qreal right = FaceWidth - IndexMargin;
    painter.setPen(ink);
    painter.drawText(QPointF(right - labelWidth, IndexBaseline), label);
    DrawSuit(painter, suit,
             QPointF(right - labelWidth - gap - IndexSuitHeight / 2, suitY), IndexSuitHeight,
             ink);
}

// A pip's place: column -1 left, 0 middle, 1 right; row 0 top to 1 bottom.
struct Pip {
    int column;
    qreal row;
};

constexpr qreal Third = 1.0 / 3.0;
constexpr qreal Sixth = 1.0 / 6.0;

// The usual arrangements of two to ten.
const std::array<std::vector<Pip>, 9> PipLayouts = {{
    {{0, 0}, {0, 1}},
    {{0, 0}, {0, 0.5}, {0, 1}},
    {{-1, 0}, {1, 0}, {-1, 1}, {1, 1}},
    {{-1, 0}, {1, 0}, {0, 0.5}, {-1, 1}, {1, 1}},
    {{-1, 0}, {1, 0}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}},
    {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {-1, 1}, {1, 1}},
    {{-1, 0}, {1, 0}, {0, 0.25}, {-1, 0.5}, {1, 0.5}, {0, 0.75}, {-1, 1}, {1, 1}},
    {{-1, 0}, {1, 0}, {-1, Third}, {1, Third}, {0, 0.5}, {-1, 2 * Third}, {1, 2 * Third},
     {-1, 1}, {1, 1}},
    {{-1, 0}, {1, 0}, {0, Sixth}, {-1, Third}, {1, Third}, {-1, 2 * Third}, {1, 2 * Third},
     {0, 5 * Sixth}, {-1, 1}, {1, 1}},
}};

constexpr qreal PipHeight = 12.5;
constexpr qreal PipColumnStep = 16;
constexpr qreal PipTop = 27;
constexpr qreal PipBottom = 69;

void DrawPips(QPainter &painter, int suit, int rank)
{
    const QColor ink = SuitInk(suit);
    const QPointF centre(FaceWidth / 2.0, FaceHeight / 2.0);
    if (rank == 0) {
        if (suit == Spades) {
            // The ace of spades traditionally carries the deck's flourish: a
            // large pip with a fine line following it at a small distance.
            QTransform place;
            place.translate(centre.x(), centre.y());
            place.scale(38, 38);
            const QPainterPath pip = place.map(SuitPath(suit));
            QPainterPathStroker widen;
            widen.setWidth(7);
            widen.setJoinStyle(Qt::RoundJoin);
            painter.setPen(QPen(ink, 0.9));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(widen.createStroke(pip).united(pip).simplified());
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            painter.drawPath(pip);
        } else {
            DrawSuit(painter, suit, centre, 32, ink);
        }
        return;
    }
    for (const Pip &pip : PipLayouts[rank - 1]) {
        const QPointF at(centre.x() + pip.column * PipColumnStep,
                         PipTop + pip.row * (PipBottom - PipTop));
        DrawSuit(painter, suit, at, PipHeight, ink, pip.row > 0.5);
    }
}

QImage NewPicture(const QSize &pixels, const QColor &background)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// Everything is drawn on the 72 x 96 face; a larger picture scales the pen.
void ScaleToFace(QPainter &painter, const QImage &image)
{
    painter.scale(image.width() / qreal(FaceWidth), image.height() / qreal(FaceHeight));
}

QImage DrawFace(int suit, int rank, const QSize &pixels)
{
    QImage image = NewPicture(pixels, Qt::white);
    const int strip = IndexStripHeight * pixels.height() / FaceHeight;
    {
        QPainter painter(&image);
        ScaleToFace(painter, image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        DrawIndexStrip(painter, suit, rank);
        if (rank >= Jack)
            DrawCourtPanel(painter, QRectF(10.5, 19.5, 51, 57), suit, rank);
        else
            DrawPips(painter, suit, rank);
    }
    // The lower index is the upper one turned round, pixel for pixel.
    const QImage lower = image.copy(0, 0, image.width(), strip).mirrored(true, true);
    QPainter painter(&image);
    painter.drawImage(0, image.height() - strip, lower);
    return image;
}

// What an empty foundation shows on the green table: a faint outline of the
// card's place and the suit that the pile is waiting for.
QImage DrawMark(int suit, const QSize &pixels)
{
    const QColor table(0, 153, 0);
    QImage image = NewPicture(pixels, table);
    QPainter painter(&image);
    ScaleToFace(painter, image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(table.lighter(130), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(3.5, 3.5, FaceWidth - 7, FaceHeight - 7), 6, 6);
    DrawSuit(painter, suit, QPointF(FaceWidth / 2.0, FaceHeight / 2.0), 36, table.lighter(118));
    return image;
}

} // namespace

QImage DrawPicture(const cardmodule::Key &key)
{
    const QSize pixels = cardmodule::PictureSize(key);
    if (key.number >= FirstMark)
        return DrawMark(key.number - FirstMark, pixels);
    const int index = key.number - 1;
    return DrawFace(index / RankCount, index % RankCount, pixels);
}

} // namespace zozaro
