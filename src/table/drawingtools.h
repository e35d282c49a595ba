#pragma once
// Small pieces every picture of the table uses: our colours as Qt colours,
// and texts written the way the panels under the tableau write them.

#include <QColor>
#include <QFont>
#include <QRect>
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

// The panels' font: the family named, 8 points.
QFont PanelFont(const QString &family, bool underline = false);

// A text placed by the top left corner of its box, written opaque on
// `background` so it erases what lay beneath it.
void DrawPanelText(QPainter &painter, int x, int y, const QString &text, const QFont &font,
                   const QColor &colour, const QColor &background);

} // namespace quintara
