// Draws the game's icon while building: two cards fanned on a piece of the
// green table, the same shapes written as PNG files in every size a desktop
// asks for and as one SVG file, so each size is drawn from the outlines
// rather than scaled from another picture.
//
//   quintara_icon DIR   writes DIR/<n>x<n>/apps/quintara.png and
//                       DIR/scalable/apps/quintara.svg

#include <cstdio>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include "art/suits.h"

namespace {

// The drawing is laid out on a square this many units wide.
constexpr qreal Units = 256;
constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct Shape {
    QPainterPath path;
    QColor fill;   // invalid: not filled
    QColor stroke; // invalid: no outline
    qreal strokeWidth = 0;
};

// A card standing on the tile, turned by `degrees` around a point below it
// so that the two cards fan out like a hand; `pipX` moves the suit symbol
// sideways, out from under the card in front.
void AddCard(std::vector<Shape> &shapes, qreal degrees, int suit, qreal pipX)
{
    QTransform turn;
    turn.translate(128, 250).rotate(degrees).translate(-128, -250);
    QPainterPath card;
    card.addRoundedRect(QRectF(80, 46, 96, 136), 12, 12);
    shapes.push_back({turn.map(card), Qt::white, QColor(24, 24, 24), 6});
    const QTransform pip = QTransform::fromTranslate(128 + pipX, 112).scale(64, 64) * turn;
    shapes.push_back({pip.map(zozaro::SuitPath(suit)), zozaro::SuitInk(suit), QColor(), 0});
}

std::vector<Shape> Icon()
{
    std::vector<Shape> shapes;
    QPainterPath tile;
    tile.addRoundedRect(QRectF(12, 12, 232, 232), 44, 44);
    shapes.push_back({tile, QColor(0, 150, 0), QColor(0, 96, 0), 8});
    AddCard(shapes, -16, zozaro::Spades, -16);
    AddCard(shapes, 14, zozaro::Hearts, 0);
    return shapes;
}

QImage Render(const std::vector<Shape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / Units, size / Units);
    for (const Shape &shape : shapes) {
        painter.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : QBrush(Qt::NoBrush));
        painter.setPen(shape.stroke.isValid()
                           ? QPen(shape.stroke, shape.strokeWidth, Qt::SolidLine, Qt::RoundCap,
                                  Qt::RoundJoin)
                           : QPen(Qt::NoPen));
        painter.drawPath(shape.path);
    }
    return image;
}

QByteArray Number(qreal value)
{
    return QByteArray::number(value, 'f', 2);
}

QByteArray PathData(const QPainterPath &path)
{
    QByteArray data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            data += "M";
            break;
        case QPainterPath::LineToElement:
            data += "L";
            break;
        case QPainterPath::CurveToElement:
            data += "C";
            break;
        case QPainterPath::CurveToDataElement:
            data += " ";
            break;
        }
        data += Number(e.x) + " " + Number(e.y);
    }
    return data + "Z";
}

QByteArray Colour(const QColor &colour)
{
    return colour.isValid() ? colour.name().toLatin1() : QByteArray("none");
}

QByteArray Svg(const std::vector<Shape> &shapes)
{
    QByteArray text = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\""
                      " viewBox=\"0 0 256 256\">\n";
    for (const Shape &shape : shapes) {
        text += "  <path fill=\"" + Colour(shape.fill) + "\" fill-rule=\""
                + (shape.path.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero") + "\"";
        if (shape.stroke.isValid())
            text += " stroke=\"" + Colour(shape.stroke) + "\" stroke-width=\""
                    + Number(shape.strokeWidth) + "\" stroke-linejoin=\"round\"";
        text += " d=\"" + PathData(shape.path) + "\"/>\n";
    }
    return text + "</svg>\n";
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quintara_icon DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const std::vector<Shape> shapes = Icon();
    for (int size : Sizes) {
        const QString path = QStringLiteral("%1/%2x%2/apps/quintara.png").arg(dir).arg(size);
        if (!QDir().mkpath(QFileInfo(path).path()) || !Render(shapes, size).save(path, "PNG")) {
            std::fprintf(stderr, "quintara_icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    if (!Write(dir + QStringLiteral("/scalable/apps/quintara.svg"), Svg(shapes))) {
        std::fprintf(stderr, "quintara_icon: cannot write the SVG file\n");
        return 1;
    }
    return 0;
}
