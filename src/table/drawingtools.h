#pragma once
// Small pieces every picture of the table uses: our colours as Qt colours,
// and texts written the way the panels under the tableau write them.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>

#include "table/layout.h"

class QPainter;

namespace quintara {

inline QColor ToColor(Rgb c)
{
    return QColor(c.red, c.green, c.blue);
}

inline QRect ToQRect(const PixelRect &r)
{
    return {r.left, r.top, r.width(), r.height()};
}

// Copies the pixels `source` of `from` to `to`, with their top left at `at`
// (both in pixels, not in the images' units), cut at the edges of both. The
// two are different images of one format: the copy is a plain copy of
// memory. Qt shares a large drawing out among threads and waits for them,
// which on a busy machine costs more than the copy itself.
void CopyPixels(QImage &to, QPoint at, const QImage &from, QRect source);

// Copies `region` of `from` to `to`: two pictures of the same scale, `from`
// lying on `to` with its top left corner at `origin`, such as a buffer on
// the window.
void CopyRegion(QImage &to, const QImage &from, const QRegion &region, QPoint origin = {});

// A picture whose pixels are those of `area` of `image`, with the area's top
// left as its origin: drawing on it stops at the area's edges. The image's
// scale must be a whole number, so that the area falls on whole pixels, and
// the area must lie within the image.
QImage PartOf(QImage &image, const QRect &area);

// The two pictures' pixels are the same whole pixels: a fill of one and a
// copy of the other give the same edges.
bool SamePixels(const QImage &a, const QImage &b);

void FillArea(QImage &image, const QRegion &area, const QColor &colour);

// The panels' font: the family named, 8 points.
QFont PanelFont(const QString &family, bool underline = false);

// A text placed by the top left corner of its box, written opaque on
// `background` so it erases what lay beneath it.
void DrawPanelText(QPainter &painter, int x, int y, const QString &text, const QFont &font,
                   const QColor &colour, const QColor &background);

} // namespace quintara
