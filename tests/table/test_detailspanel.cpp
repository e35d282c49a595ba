#include <QTest>

#include <functional>

#include <QPainter>

#include "core/rules.h"
#include "support/tablebuilder.h"
#include "table/detailspanel.h"
#include "table/painter.h"

using namespace quintara;
using namespace quintara::test;

namespace {

bool IsWhite(QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200; }
// The thin strokes of the small serif face rarely reach full white on the green.
bool IsWhitish(QRgb c) { return qRed(c) > 150 && qGreen(c) > 150 && qBlue(c) > 150; }
bool IsAqua(QRgb c) { return qRed(c) < 60 && qGreen(c) > 200 && qBlue(c) > 200; }
bool IsLime(QRgb c) { return qRed(c) < 60 && qGreen(c) > 200 && qBlue(c) < 60; }
bool IsYellow(QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 60; }
bool IsRed(QRgb c) { return c == qRgb(255, 0, 0); }

int Inked(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &ofColour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += ofColour(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// The longest row of one colour in an area: an underline is one long row.
int LongestRow(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &ofColour)
{
    int best = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        best = qMax(best, Inked(image, QRect(area.left(), y, area.width(), 1), ofColour));
    return best;
}

QRect Line(int x, int y, int width = 200) { return QRect(x, y, width, 14); }

// The window's side of the panel: the painter's picture, its clearing, and
// the copies to a window picture.
struct Desk {
    GameState state = MakeState(1024);
    TablePainter painter;
    QImage window;
    int clears = 0;
    int shows = 0;
    DetailsPanel details{state, painter.InfoPanel(),
                         [this] {
                             ++clears;
                             painter.ClearDetailsPanel(state);
                         },
                         [this] {
                             ++shows;
                             painter.ShowInfoPanel(state, window);
                         }};

    Desk()
    {
        painter.CreateInfoPanel(state.Layout, 1);
        window = QImage(state.Layout.window.ClientWidth, state.Layout.window.ClientHeight, QImage::Format_RGB32);
        window.fill(Qt::black);
        SetColumn(state, 0, {"9p", "8q", "7f", "6c", "5p"});
        SetColumn(state, 1, {"9f"});
        SetColumn(state, 2, {"9c"});
        state.flags.DetailsShown = true;
        state.panels.DetailsHeaderDue = true;
    }

    int narrate(int column)
    {
        const int slot = TopSlot(state.table.Columns[0]).value();
        const MoveSource held{FromColumn, 0, slot, state.table.Columns[0].Card[slot]};
        details.Narrator()->countAsked(column, 0);
        return ColumnMoveCount(state.table, held, column, 0, details.Narrator());
    }

    QImage shownPanel()
    {
        const QImage &panel = painter.InfoPanel();
        return window.copy(state.Layout.panel.InfoPanelLeft, state.Layout.panel.InfoPanelTop, panel.width(), panel.height());
    }
};

} // namespace

class TestDetailsPanel : public QObject {
    Q_OBJECT
private slots:
    void narrationReachesTheWindow()
    {
        Desk desk;
        desk.painter.InfoPanel().fill(Qt::red);   // left over from before: the header wipes it
        QCOMPARE(desk.narrate(1), 4);
        // Shown after the header, after each of the three cards examined and after the verdict.
        QCOMPARE(desk.clears, 1);
        QCOMPARE(desk.shows, 5);
        QVERIFY(!desk.state.panels.DetailsHeaderDue);

        const QImage shown = desk.shownPanel();
        QCOMPARE(shown, desk.painter.InfoPanel());
        shown.save(QStringLiteral("/tmp/details-panel.png"));
        QCOMPARE(Inked(shown, shown.rect(), IsRed), 0);

        for (const QRect &heading : {Line(6, 4), Line(366, 4), Line(6, 88)}) {
            QVERIFY(Inked(shown, heading, IsAqua) > 40);
            QVERIFY(LongestRow(shown, heading, IsAqua) > 100);   // underlined
        }
        for (int y : {26, 46, 66})
            QVERIFY(Inked(shown, Line(6, y), IsWhite) > 40);
        for (int y : {26, 42, 58, 74, 90, 106}) {
            const int inked = Inked(shown, Line(366, y), IsWhitish);
            QVERIFY2(inked > 30, qPrintable(QStringLiteral("line %1: %2 pixels").arg(y).arg(inked)));
        }
        QCOMPARE(Inked(shown, Line(366, 122), IsWhitish), 0);
        QVERIFY(Inked(shown, Line(6, 110, 300), IsLime) > 40);
        QCOMPARE(Inked(shown, shown.rect(), IsYellow), 0);
        // Texts stand on the table colour.
        const QColor table(0, 153, 0);
        QCOMPARE(QColor(shown.pixel(360, 30)), table);
        QCOMPARE(QColor(shown.pixel(shown.width() - 2, shown.height() - 2)), table);
    }

    void linesEraseWhatLayBeneath()
    {
        Desk desk;
        desk.narrate(1);
        // Same destination: no fresh header, so only the texts themselves can
        // wipe this.
        QPainter(&desk.painter.InfoPanel()).fillRect(366, 60, 100, 8, Qt::red);
        desk.clears = desk.shows = 0;
        desk.narrate(1);
        QCOMPARE(desk.clears, 0);
        QCOMPARE(desk.shows, 4);
        QCOMPARE(Inked(desk.painter.InfoPanel(), QRect(366, 60, 100, 8), IsRed), 0);
    }

    void refusalIsYellow()
    {
        Desk desk;
        desk.narrate(1);
        QCOMPARE(desk.narrate(2), 0);
        const QImage shown = desk.shownPanel();
        QVERIFY(Inked(shown, Line(6, 110, 300), IsYellow) > 40);
        QCOMPARE(Inked(shown, shown.rect(), IsLime), 0);
        QVERIFY(Inked(shown, Line(366, 106), IsWhitish) > 30);   // card 5
    }

    void nothingToDrawOnOnceReleased()
    {
        Desk desk;
        desk.painter.ReleaseBuffers();
        QCOMPARE(desk.narrate(1), 4);
        QCOMPARE(desk.shows, 5);
    }
};

QTEST_MAIN(TestDetailsPanel)
#include "test_detailspanel.moc"
