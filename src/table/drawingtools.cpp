#include "table/drawingtools.h"

#include <QPainter>

namespace quintara {

QFont PanelFont(const QString &family, bool underline)
{
    QFont font(family);
    font.setPointSize(8);
    font.setUnderline(underline);
    return font;
}

void DrawPanelText(QPainter &painter, int x, int y, const QString &text, const QFont &font,
                   const QColor &colour, const QColor &background)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.setBackground(background);
    // Opaque only for the text: shapes drawn in opaque mode come out lopsided.
    const Qt::BGMode mode = painter.backgroundMode();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
    painter.setBackgroundMode(mode);
}

} // namespace quintara
