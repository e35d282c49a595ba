// Draws the module's pictures at build time and writes the card module,
// zozaro2.dll, that holds them as PNG files. With --sheet it also lays all
// the pictures out on a green table, alone and in overlapping columns, for
// a designer to look at.

#include <cstdio>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include "faces.h"
#include "suits.h"

namespace {

using namespace zozaro;

QByteArray EncodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool WriteModule(const QString &path)
{
    std::vector<std::pair<cardmodule::Key, QByteArray>> pictures;
    for (const cardmodule::CardSize size : {cardmodule::CardSize::Normal, cardmodule::CardSize::Large})
        for (int number = cardmodule::FirstNumber; number <= cardmodule::LastNumber; ++number)
            for (int scale = 1; scale <= cardmodule::MaxScale; ++scale) {
                const cardmodule::Key key{number, size, scale};
                if (!cardmodule::Listed(key))
                    continue;
                pictures.emplace_back(key, EncodePng(DrawPicture(key)));
                if (pictures.back().second.isEmpty())
                    return false;
            }
    const QByteArray module = cardmodule::Write(pictures);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(module) == module.size();
}

// A picture as the table shows it: rounded corners and a black outline.
void PlaceCard(QPainter &painter, int x, int y, int number)
{
    const QRectF place(x, y, FaceWidth, FaceHeight);
    const bool face = number < FirstMark;
    QPainterPath rounded;
    rounded.addRoundedRect(place, 3, 3);
    painter.save();
    if (face)
        painter.setClipPath(rounded);
    painter.drawImage(x, y, DrawPicture({number}));
    if (face) {
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(place.adjusted(1, 1, -1, -1), 3, 3);
    }
    painter.restore();
}

bool WriteSheet(const QString &path)
{
    constexpr int Gap = 6;
    constexpr int Step = 18;
    const int gridWidth = 14 * (FaceWidth + Gap) + Gap;
    const int gridHeight = SuitCount * (FaceHeight + Gap) + Gap;
    QImage sheet(gridWidth, gridHeight + (RankCount - 1) * Step + FaceHeight + Gap,
                 QImage::Format_RGB32);
    sheet.fill(QColor(0, 153, 0));
    QPainter painter(&sheet);
    for (int suit = 0; suit < SuitCount; ++suit) {
        const int y = Gap + suit * (FaceHeight + Gap);
        for (int rank = 0; rank < RankCount; ++rank)
            PlaceCard(painter, Gap + rank * (FaceWidth + Gap), y, cardmodule::FaceNumber(suit, rank));
        PlaceCard(painter, Gap + RankCount * (FaceWidth + Gap), y, cardmodule::EmptyPileMark(suit));
    }
    // Columns as in play: kings down to aces, one suit each, then alternating colours.
    for (int column = 0; column < 2 * SuitCount; ++column) {
        for (int row = 0; row < RankCount; ++row) {
            const int rank = RankCount - 1 - row;
            const int suit = column < SuitCount ? column : (column + row) % 2 * 2 + (row / 2) % 2;
            PlaceCard(painter, Gap + column * (FaceWidth + Gap + 30), gridHeight + row * Step,
                      cardmodule::FaceNumber(suit, rank));
        }
    }
    painter.end();
    return sheet.save(path, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    bool ok = true;
    bool acted = false;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        const QString &option = arguments[i];
        const QString &path = arguments[i + 1];
        if (option == QLatin1String("--module"))
            ok = WriteModule(path) && ok;
        else if (option == QLatin1String("--sheet"))
            ok = WriteSheet(path) && ok;
        else
            continue;
        acted = true;
    }
    if (!acted) {
        std::fprintf(stderr, "usage: zozaro_art [--module zozaro2.dll] [--sheet sheet.png]\n");
        return 2;
    }
    if (!ok)
        std::fprintf(stderr, "zozaro_art: could not write the pictures\n");
    return ok ? 0 : 1;
}
