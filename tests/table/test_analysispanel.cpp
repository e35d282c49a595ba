#include <QTest>

#include <functional>

#include "table/analysispanel.h"

using namespace quintara;
using namespace quintara::analysis_panel;

namespace {

// Any table colour will do; one other than the usual green shows that the
// panel takes the colour it is given.
constexpr Rgb Felt{20, 100, 40};
const QColor Green(Felt.red, Felt.green, Felt.blue);
const QColor Lime(0, 255, 0);
const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
const QColor Outline(190, 170, 140);

// The panel at the 1024-pixel screen's size, with `scale` screen pixels to
// each of the table's, filled with black so that whatever the drawing leaves
// out shows.
QImage BlackPanel(int scale = 1)
{
    QImage panel(661 * scale, 150 * scale, QImage::Format_RGB32);
    panel.setDevicePixelRatio(scale);
    panel.fill(Qt::black);
    return panel;
}

// The colour at the top left screen pixel of the table's pixel (x, y).
QColor At(const QImage &image, int x, int y)
{
    const int s = qRound(image.devicePixelRatio());
    return QColor(image.pixel(x * s, y * s));
}

MoveAnalysis Analysis(AnalysisComment comment, bool redrawFrame = true)
{
    MoveAnalysis a;
    a.redrawFrame = redrawFrame;
    a.comment = comment;
    a.cellOccupied = {true, false, true, true};
    a.counts = {1, 0, 2, 1};
    using M = MoveMark;
    a.marks[CellsToPiles] = {M::Found, M::NotFound, M::NotFound, M::NotFound};
    a.marks[CellsToTableau] = {M::NotFound, M::NotFound, M::NotFound, M::Found};
    a.marks[TableauToPiles] = {M::Found, M::NotFound, M::Neutral, M::NotFound,
                               M::NotFound, M::NotFound, M::Found, M::NotFound};
    a.marks[ColumnToColumn] = {M::NotFound, M::NotFound, M::Neutral, M::Found,
                               M::NotFound, M::NotFound, M::NotFound, M::NotFound};
    return a;
}

QImage Drawn(const MoveAnalysis &a, int scale = 1)
{
    QImage panel = BlackPanel(scale);
    DrawMoveAnalysis(panel, a, Felt);
    return panel;
}

// Pixels of a text's area that are of its colour, allowing for the blend of
// smoothed glyph edges with the green background.
int Inked(const QImage &image, const QRect &area, const std::function<bool(const QColor &)> &ofColour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += ofColour(At(image, x, y)) ? 1 : 0;
    return n;
}

bool IsWhite(const QColor &c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; }
bool IsLime(const QColor &c) { return c.green() > 200 && c.red() < 60 && c.blue() < 60; }
bool IsAqua(const QColor &c) { return c.green() > 200 && c.blue() > 200 && c.red() < 60; }
bool IsYellow(const QColor &c) { return c.red() > 200 && c.green() > 200 && c.blue() < 60; }

QRect TextArea(int x, int y, int width = 180) { return QRect(x, y, width, 14); }

void CheckMark(const QImage &image, int x, int y, MoveMark mark)
{
    const QColor fill = mark == MoveMark::Found ? Lime : mark == MoveMark::NotFound ? Red : Green;
    QCOMPARE(At(image, x + 4, y + 4), fill);
    QCOMPARE(At(image, x + 5, y + 5), fill);
    // The white outline keeps within the 10 x 10 square.
    QCOMPARE(At(image, x + 4, y), White);
    QCOMPARE(At(image, x + 5, y + 9), White);
    QCOMPARE(At(image, x + 10, y + 5), Green);
    if (mark == MoveMark::Neutral) {
        QCOMPARE(At(image, x, y), White);
        QCOMPARE(At(image, x + 9, y + 9), White);
    } else {
        QCOMPARE(At(image, x, y), Green);   // a round mark leaves the corners
    }
}

} // namespace

class TestAnalysisPanel : public QObject {
    Q_OBJECT
    void scales()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("scale 1") << 1;
        QTest::newRow("scale 2") << 2;
    }
private slots:
    void frameFillsTheTableColour()
    {
        const QImage panel = Drawn(Analysis(AnalysisComment::None));
        QCOMPARE(At(panel, 0, 0), Green);
        QCOMPARE(At(panel, panel.width() - 1, panel.height() - 1), Green);
        QCOMPARE(At(panel, 400, 120), Green);
    }

    // The shapes at the screen's detail, at scale 1 and on a HiDPI screen.
    void freeCellPicture_data() { scales(); }
    void freeCellPicture()
    {
        QFETCH(int, scale);
        const MoveAnalysis a = Analysis(AnalysisComment::None);
        const QImage panel = Drawn(a, scale);
        for (int k = 0; k < CellCount; ++k) {
            const int left = BoxLeft + k * BoxStep;
            QCOMPARE(At(panel, left, BoxTop), Outline);
            QCOMPARE(At(panel, left + BoxWidth - 1, BoxTop + BoxHeight - 1), Outline);
            QCOMPARE(At(panel, left + BoxWidth, BoxTop + BoxHeight), Green);
            QCOMPARE(At(panel, left + 2, BoxTop + 2), Green);
            // The mark inside: red for a card, a free place otherwise.
            CheckMark(panel, 11 + k * BoxStep, 67, a.cellOccupied[k] ? MoveMark::NotFound : MoveMark::Neutral);
        }
    }

    void marksPerSource_data() { scales(); }
    void marksPerSource()
    {
        QFETCH(int, scale);
        const MoveAnalysis a = Analysis(AnalysisComment::None);
        QImage panel = Drawn(a, scale);
        // The rows lie where the panel has always had them.
        QCOMPARE(MarkX(CellsToPiles, 1), 146);
        QCOMPARE(MarkY(CellsToPiles), 59);
        QCOMPARE(MarkY(CellsToTableau), 114);
        QCOMPARE(MarkX(ColumnToColumn, 7), 382);
        QCOMPARE(MarkY(TableauToPiles), 59);
        for (int kind = 0; kind < MoveKindCount; ++kind)
            for (std::size_t j = 0; j < a.marks[kind].size(); ++j)
                CheckMark(panel, MarkX(MoveKind(kind), int(j)), MarkY(MoveKind(kind)), a.marks[kind][j]);

        // A round mark laid where a free place was leaves the old corners.
        MoveAnalysis next = a;
        next.redrawFrame = false;
        next.marks[ColumnToColumn][2] = MoveMark::Found;
        DrawMoveAnalysis(panel, next, Felt);
        QCOMPARE(At(panel, MarkX(ColumnToColumn, 2), MarkY(ColumnToColumn)), White);
        QCOMPARE(At(panel, MarkX(ColumnToColumn, 2) + 4, MarkY(ColumnToColumn) + 4), Lime);
    }

    void textsInTheirColours()
    {
        const QImage panel = Drawn(Analysis(AnalysisComment::Lost));
        QVERIFY(Inked(panel, TextArea(BoxLeft, HeadingY, 260), IsLime) > 20);
        QVERIFY(Inked(panel, TextArea(CommentX, UpperY), IsAqua) > 20);
        QVERIFY(Inked(panel, TextArea(BoxLeft, UpperY, 100), IsWhite) > 20);
        for (int kind = 0; kind < MoveKindCount; ++kind)
            QVERIFY(Inked(panel, TextArea(CounterX(MoveKind(kind)), CounterY(MoveKind(kind)), 130), IsWhite) > 20);
        QVERIFY(Inked(panel, TextArea(CommentX, CommentY1), IsWhite) > 20);
        QVERIFY(Inked(panel, TextArea(CommentX, CommentY2), IsLime) > 20);

        const QImage warned = Drawn(Analysis(AnalysisComment::Warning));
        QVERIFY(Inked(warned, TextArea(CommentX, CommentY1), IsYellow) > 20);
        QCOMPARE(Inked(warned, TextArea(CommentX, CommentY2), IsLime), 0);

        const QImage quiet = Drawn(Analysis(AnalysisComment::None));
        QCOMPARE(Inked(quiet, TextArea(CommentX, CommentY1), IsWhite), 0);

        if (const QByteArray dir = qgetenv("QUINTARA_SNAPSHOT_DIR"); !dir.isEmpty()) {
            panel.save(QString::fromLocal8Bit(dir) + QStringLiteral("/analysis-panel.png"));
            warned.save(QString::fromLocal8Bit(dir) + QStringLiteral("/analysis-panel-warning.png"));
        }
    }

    void textIsOpaque()
    {
        // Without the frame the counter still lays its own background.
        MoveAnalysis a = Analysis(AnalysisComment::None, false);
        const QImage panel = Drawn(a);
        QCOMPARE(At(panel, CounterX(CellsToPiles) + 1, CounterY(CellsToPiles) + 1), Green);
        QCOMPARE(At(panel, CounterX(CellsToTableau) + 1, CounterY(CellsToTableau) + 1), QColor(Qt::black));
    }

    // A counter is written only once it finds something: one that falls back
    // to zero keeps its last figure, and an old comment stays, until the frame
    // is drawn afresh.
    void oldFiguresStayUntilFrameRedrawn()
    {
        MoveAnalysis a = Analysis(AnalysisComment::Lost);
        QImage panel = BlackPanel();
        a.counts = {0, 0, 0, 0};
        a.comment = AnalysisComment::None;
        DrawMoveAnalysis(panel, a, Felt);
        const QImage fresh = panel;

        a.redrawFrame = false;
        a.counts[ColumnToColumn] = 12;
        a.comment = AnalysisComment::Warning;
        DrawMoveAnalysis(panel, a, Felt);
        const QRect counter = TextArea(CounterX(ColumnToColumn), CounterY(ColumnToColumn), 160);
        QVERIFY(panel.copy(counter) != fresh.copy(counter));
        const QImage twelve = panel;

        a.counts[ColumnToColumn] = 0;
        a.comment = AnalysisComment::None;
        DrawMoveAnalysis(panel, a, Felt);
        QCOMPARE(panel, twelve);

        a.redrawFrame = true;
        DrawMoveAnalysis(panel, a, Felt);
        QCOMPARE(panel, fresh);
    }
};

QTEST_MAIN(TestAnalysisPanel)
#include "test_analysispanel.moc"
