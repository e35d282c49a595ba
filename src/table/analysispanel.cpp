#include "table/analysispanel.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <QtMath>

#include <array>
#include <cmath>

#include "table/drawingtools.h"

namespace quintara {

namespace analysis_panel {

int CounterX(MoveKind kind)
{
    return kind == CellsToPiles || kind == CellsToTableau ? CellsX : TableauX;
}

int CounterY(MoveKind kind)
{
    return kind == CellsToPiles || kind == TableauToPiles ? UpperY : LowerY;
}

} // namespace analysis_panel

namespace {

using namespace analysis_panel;

const QColor Lime(0, 255, 0);
const QColor Aqua(0, 255, 255);
const QColor White(255, 255, 255);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor BoxOutline(190, 170, 140);

// Each counter starts as a zero label and is overwritten in place by a longer
// text once it finds something.
struct CounterRow {
    const char *zeroLabel;
    const char *counter;
};
const CounterRow counterRows[MoveKindCount] = {
    {"Celle >> Fila: 0", " Dalle celle alla fila: %1"},
    {"Celle >> Tavola: 0", " Dalle celle alla tavola: %1"},
    {"Dalla tavola alla fila: 0", "Dalla tavola alla fila: %1"},
    {"Da una colonna ad altra: 0", "Da una colonna ad altra: %1"},
};

struct CommentLines {
    const char *first;
    QColor firstColour;
    const char *second;   // may be empty
    QColor secondColour;
};

CommentLines commentLines(AnalysisComment comment)
{
    switch (comment) {
    case AnalysisComment::Greeting:
        return {"Bella giornata oggi, vero?", White, "Dimostrami la tua bravura!", Lime};
    case AnalysisComment::Lost:
        return {"Hai perso, pollo!", White, "Ritenta, sarai più fortunato!", Lime};
    case AnalysisComment::Warning:
        return {"Attenzione, non hai molte possibilità...", Yellow, "", Yellow};
    case AnalysisComment::None:
        break;
    }
    return {"", White, "", White};
}

QFont panelFont(const char *family, bool underline = false)
{
    return PanelFont(QString::fromLatin1(family), underline);
}

// The outline and fill of a mark with its top left corner at (left, top).
void DrawMarkShape(QPainter &painter, int left, int top, MoveMark mark, const QColor &table)
{
    painter.setPen(White);
    switch (mark) {
    case MoveMark::Found:
    case MoveMark::NotFound:
        painter.setBrush(mark == MoveMark::Found ? Lime : Red);
        painter.drawEllipse(left, top, MarkSize - 1, MarkSize - 1);
        break;
    case MoveMark::Neutral:
        // A free place: the table colour in a white outline.
        painter.setBrush(table);
        painter.drawRect(left, top, MarkSize - 1, MarkSize - 1);
        break;
    }
}

// Each mark drawn once for a screen's detail, on a clear ground, and then
// laid down like a card: on a scaled screen the pen of an outline is wider
// than a pixel, and stroking the ellipses anew costs more than the whole
// panel's copy. The ground reaches a pixel past the mark on every side, for
// the half of a wide outline that falls outside.
class MarkPictures {
public:
    const QImage &Picture(MoveMark mark, qreal ratio, const QColor &table)
    {
        if (ratio != ratio_ || table != table_) {
            pictures_.fill(QImage());
            ratio_ = ratio;
            table_ = table;
        }
        QImage &picture = pictures_[std::size_t(mark)];
        if (picture.isNull()) {
            const int side = qCeil((MarkSize + 2) * ratio);
            picture = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(ratio);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            DrawMarkShape(painter, 1, 1, mark, table);
        }
        return picture;
    }

private:
    std::array<QImage, 3> pictures_;
    qreal ratio_ = 0;
    QColor table_;
};

// Draws as the panel always has: texts placed by the top left corner of their
// box and written opaque on the table colour, shapes outlined and filled
// within the rectangle (left, top) .. (right - 1, bottom - 1).
class PanelPainter {
public:
    PanelPainter(QImage &image, const QColor &tableColour)
        : image(image), painter(&image), table(tableColour)
    {
        painter.setBackground(table);
    }

    void fillAll()
    {
        painter.fillRect(image.rect(), table);
        drawn_ = whole();
    }

    void text(int x, int y, const QString &s, const QFont &font, const QColor &colour)
    {
        DrawPanelText(painter, x, y, s, font, colour, table);
        // A glyph may reach a little past its advance.
        const QFontMetrics metrics(font, &image);
        drawn_ += QRect(x, y, metrics.horizontalAdvance(s), metrics.height()).adjusted(-2, -2, 2, 2);
    }

    // Outlines are drawn around whole table pixels: on a scaled screen a
    // wide pen reaches half a pixel past them.
    void box(int left, int top, int right, int bottom, const QColor &outline, const QColor &fill)
    {
        painter.setPen(outline);
        painter.setBrush(fill);
        painter.drawRect(left, top, right - left - 1, bottom - top - 1);
        drawn_ += QRect(left - 1, top - 1, right - left + 2, bottom - top + 2);
    }

    void mark(int left, int top, MoveMark m)
    {
        // A picture falls on the same pixels as the shape only where the
        // panel's pixels are whole table pixels.
        const qreal ratio = image.devicePixelRatio();
        if (ratio == std::floor(ratio))
            painter.drawImage(left - 1, top - 1, marks.Picture(m, ratio, table));
        else
            DrawMarkShape(painter, left, top, m, table);
        drawn_ += QRect(left - 1, top - 1, MarkSize + 2, MarkSize + 2);
    }

    const QColor &tableColour() const { return table; }
    QRegion drawn() const { return drawn_ & whole(); }

private:
    QRect whole() const { return QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()); }

    QImage &image;
    QPainter painter;
    QColor table;
    QRegion drawn_;
    inline static MarkPictures marks;
};

} // namespace

QRegion DrawMoveAnalysis(QImage &infoPanel, const MoveAnalysis &analysis, Rgb tableColour)
{
    if (infoPanel.isNull())
        return {};
    const QFont courier = panelFont("Courier New");
    const QFont times = panelFont("Times New Roman");
    PanelPainter panel(infoPanel, ToColor(tableColour));

    if (analysis.redrawFrame) {
        panel.fillAll();
        const QFont heading = panelFont("Courier New", true);
        panel.text(BoxLeft, HeadingY, QStringLiteral("Rilevamento delle mosse automatiche"), heading, Lime);
        panel.text(CommentX, UpperY, QStringLiteral("Commenti & suggerimenti"), heading, Aqua);
        for (int kind = 0; kind < MoveKindCount; ++kind)
            panel.text(CounterX(MoveKind(kind)), CounterY(MoveKind(kind)),
                       QString::fromUtf8(counterRows[kind].zeroLabel), times, White);
    }

    panel.text(BoxLeft, UpperY, QStringLiteral("Celle libere"), courier, White);
    for (int k = 0; k < CellCount; ++k) {
        const int left = BoxLeft + k * BoxStep;
        panel.box(left, BoxTop, left + BoxWidth, BoxTop + BoxHeight, BoxOutline, panel.tableColour());
        const int markLeft = left + (BoxWidth - MarkSize) / 2;
        const int markTop = BoxTop + (BoxHeight - MarkSize) / 2;
        panel.mark(markLeft, markTop, analysis.cellOccupied[k] ? MoveMark::NotFound : MoveMark::Neutral);
    }

    for (int kind = 0; kind < MoveKindCount; ++kind) {
        const MoveKind k = MoveKind(kind);
        if (analysis.counts[kind] > 0)
            panel.text(CounterX(k), CounterY(k),
                       QString::fromUtf8(counterRows[kind].counter).arg(analysis.counts[kind]), times, White);
        for (std::size_t j = 0; j < analysis.marks[kind].size(); ++j)
            panel.mark(MarkX(k, int(j)), MarkY(k), analysis.marks[kind][j]);
    }

    const CommentLines lines = commentLines(analysis.comment);
    if (*lines.first)
        panel.text(CommentX, CommentY1, QString::fromUtf8(lines.first), times, lines.firstColour);
    if (*lines.second)
        panel.text(CommentX, CommentY2, QString::fromUtf8(lines.second), times, lines.secondColour);
    return panel.drawn();
}

} // namespace quintara
