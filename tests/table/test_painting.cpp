// The table as the window shows it, at the scale TABLE_SCALE of a HiDPI
// screen: the row frames and the empty-slot lines in their colours and
// places, the cards where the table puts them, what a paint must leave alone
// while a card flies or no card is left, and the flight's own pictures.

#include <QPainter>
#include <QtTest>

#include <functional>
#include <memory>

#include "core/analysis.h"
#include "support/modal.h"
#include "support/screentest.h"
#include "support/tablebuilder.h"
#include "support/windowfixture.h"
#include "table/carddrawing.h"
#include "table/drawingtools.h"
#include "table/tableview.h"

using namespace quintara;
using namespace quintara::test;

namespace {

constexpr qreal Scale = TABLE_SCALE;

const QColor Ground(0, 153, 0);
const QColor TopLeft(200, 180, 150);
const QColor Right(210, 218, 200);
const QColor Bottom(0, 218, 0);
const QColor EmptySlot(170, 160, 134);

// The colour of one pixel of the table; invalid where the screen's own
// pixels inside it differ, so a line blurred or shifted by half a pixel shows.
QColor At(const QImage &image, int x, int y)
{
    const int s = qRound(image.devicePixelRatio());
    const QColor c = image.pixelColor(x * s, y * s);
    for (int dy = 0; dy < s; ++dy)
        for (int dx = 0; dx < s; ++dx)
            if (image.pixelColor(x * s + dx, y * s + dy) != c)
                return QColor();
    return c;
}

// A card as DrawCard gives it on a picture of the window's scale.
QImage Reference(CardPainter &cards, const TableLayout &l, std::int32_t value, std::int32_t mode)
{
    QImage image(qRound(l.grid.CardWidth * Scale), qRound(l.grid.CardHeight * Scale), QImage::Format_RGB32);
    image.setDevicePixelRatio(Scale);
    image.fill(Ground);
    cards.DrawCard(image, image, 0, 0, value, mode, l.window.TableColour);
    return image;
}

// Whether the window shows the card with its top left corner at (x, y), its
// rounded corners left out, over `rows` of its rows from `firstRow` (all if 0).
bool Shows(const WindowFixture &f, CardPainter &cards, int x, int y, std::int32_t value,
           std::int32_t mode = DrawNormal, int rows = 0, int firstRow = 0)
{
    const TableLayout &l = f.form->State().Layout;
    const int inset = 3;
    const int h = rows ? rows : l.grid.CardHeight - firstRow;
    const QImage ref = Reference(cards, l, value, mode);
    const QRect part(qRound(inset * Scale), qRound(firstRow * Scale), qRound((l.grid.CardWidth - 2 * inset) * Scale),
                     qRound(h * Scale));
    return f.Region(x + inset, y + firstRow, l.grid.CardWidth - 2 * inset, h) == ref.copy(part);
}

// Whether the screen shows the window's canvas as it is now: what a paint
// drew straight on the window is not left behind, nor a change left unshown.
// The buttons and labels over the table are left out. The offscreen screen
// keeps one pixel to each of the table's whatever its scale, so only at
// scale 1 does it hold the canvas pixel for pixel.
bool ScreenShowsCanvas(const WindowFixture &f)
{
    if (Scale != 1)
        return true;
    TableView *view = f.form->View();
    QWidget *window = view->window();
    const QPoint origin = view->mapTo(window, QPoint(0, 0));
    QImage shot = view->screen()
                      ->grabWindow(window->winId(), origin.x(), origin.y(), view->width(), view->height())
                      .toImage()
                      .convertToFormat(QImage::Format_RGB32);
    QImage canvas = view->canvas().copy(0, 0, shot.width(), shot.height());
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || w == view || w->isAncestorOf(view) || w->isWindow())
            continue;
        const QRect over(w->mapTo(window, QPoint(0, 0)) - origin, w->size());
        for (QImage *image : {&shot, &canvas})
            QPainter(image).fillRect(over, Qt::black);
    }
    return shot == canvas;
}

// A table with a few cards: one in a column of three, one alone, one in
// free cell 1 and a two on pile 2; the other cells and piles are empty.
void LayTable(GameState &s)
{
    ResetTable(s);
    for (int c = 0; c < ColumnCount; ++c)
        SetColumn(s, c, {});   // every column at its dealt place
    SetColumn(s, 0, {"Rc", "Dp", "Fc"});
    SetColumn(s, 3, {"5q"});
    SetCell(s, 1, "9p");
    SetPile(s, 2, "2f");
    s.table.CardsLeft = 46;
    s.paint.FullRepaint = true;
    s.paint.ColumnDirty.fill(true);
}

struct Ready : WindowFixture {
    Ready()
    {
        IdleUntil([&] { return form->Cards()->Library().Loaded(); });
        LayTable(State());
        form->Repaint(PaintSender::Window);
    }
    const QImage &Window() const { return form->View()->canvas(); }
};

// A window whose pauses let the test look at the screen in mid-flight.
class PausingForm : public TForm1 {
public:
    using TForm1::TForm1;
    std::function<void()> onPause;
    void Pause(int milliseconds) override
    {
        if (onPause)
            onPause();
        TForm1::Pause(milliseconds);
    }
};

} // namespace

class TestPainting : public QObject {
    Q_OBJECT
    std::unique_ptr<Ready> painted;
private slots:
    void buffersHaveTheScreensDetail()
    {
        Ready f;
        const TableLayout &l = f.State().Layout;
        QCOMPARE(f.Window().devicePixelRatio(), Scale);
        QCOMPARE(f.Window().size(), QSize(qRound(l.window.ClientWidth * Scale), qRound(l.window.ClientHeight * Scale)));
        QCOMPARE(f.form->Painter().TableBuffer().size(),
                 QSize(qRound(l.window.PlayAreaWidth * Scale), qRound(l.window.PlayAreaHeight * Scale)));
    }

    void framesAndLines_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        // Free-cell row: frame from (8, 8), cells from (9, 9); cell 1 holds a card.
        QTest::newRow("cell row, top left corner") << QPoint(8, 8) << TopLeft;
        QTest::newRow("cell row, top edge") << QPoint(150, 8) << TopLeft;
        QTest::newRow("cell row, top edge's last pixel") << QPoint(296, 8) << TopLeft;
        QTest::newRow("cell row, right edge from the top") << QPoint(297, 8) << Right;
        QTest::newRow("cell row, right edge") << QPoint(297, 104) << Right;
        QTest::newRow("cell row, right of the frame") << QPoint(298, 60) << Ground;
        QTest::newRow("cell row, bottom edge") << QPoint(8, 105) << Bottom;
        QTest::newRow("cell row, bottom edge's last pixel") << QPoint(297, 105) << Bottom;
        QTest::newRow("cell row, below the frame") << QPoint(150, 106) << Ground;
        QTest::newRow("empty cell 0, line top") << QPoint(8, 9) << EmptySlot;
        QTest::newRow("empty cell 0, line bottom") << QPoint(8, 104) << EmptySlot;
        QTest::newRow("empty cell 0, inside") << QPoint(40, 60) << Ground;
        QTest::newRow("cell 1 holds a card: no line") << QPoint(80, 60) << Ground;
        QTest::newRow("empty cell 2, line") << QPoint(152, 60) << EmptySlot;
        QTest::newRow("empty cell 3, line") << QPoint(224, 60) << EmptySlot;
        // Foundation row from (375, 8), piles from (376, 9).
        QTest::newRow("pile row, top left corner") << QPoint(375, 8) << TopLeft;
        QTest::newRow("pile row, right edge") << QPoint(664, 60) << Right;
        QTest::newRow("pile row, bottom edge") << QPoint(500, 105) << Bottom;
        QTest::newRow("empty pile 0, line") << QPoint(375, 60) << EmptySlot;
        QTest::newRow("empty pile 1, line") << QPoint(447, 60) << EmptySlot;
        QTest::newRow("empty pile 3, line") << QPoint(591, 60) << EmptySlot;
        // The outer frame, two pixels wide, and the tableau's ground.
        QTest::newRow("outer frame, left") << QPoint(4, 300) << Bottom;
        QTest::newRow("outer frame, left inner") << QPoint(5, 300) << Bottom;
        QTest::newRow("outer frame, top") << QPoint(300, 4) << Bottom;
        QTest::newRow("outer frame, right inner") << QPoint(669, 300) << Bottom;
        QTest::newRow("outer frame, right") << QPoint(670, 300) << Bottom;
        QTest::newRow("inside the outer frame") << QPoint(6, 300) << Ground;
        QTest::newRow("inside the outer frame, right") << QPoint(668, 300) << Ground;
        QTest::newRow("outside the outer frame") << QPoint(671, 300) << Ground;
        QTest::newRow("tableau") << QPoint(300, 450) << Ground;
    }
    void framesAndLines()
    {
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        if (!painted)
            painted = std::make_unique<Ready>();   // one table for every row
        QCOMPARE(At(painted->Window(), at.x(), at.y()), colour);
    }
    void cleanupTestCase() { painted.reset(); }

    void cardsLieWhereTheTablePutsThem()
    {
        Ready f;
        GameState &s = f.State();
        CardPainter &cards = *f.form->Cards();
        const TableColumn &c0 = s.table.Columns[0];
        QVERIFY(Shows(f, cards, c0.X[0], c0.Y[0], c0.Card[0], DrawNormal, s.Layout.grid.RowStep));
        QVERIFY(Shows(f, cards, c0.X[1], c0.Y[1], c0.Card[1], DrawNormal, s.Layout.grid.RowStep));
        QVERIFY(Shows(f, cards, c0.X[2], c0.Y[2], c0.Card[2]));
        QVERIFY(Shows(f, cards, s.table.Columns[3].X[0], s.table.Columns[3].Y[0], s.table.Columns[3].Card[0]));
        QVERIFY(Shows(f, cards, s.table.Cells[1].X, s.table.Cells[1].Y, s.table.Cells[1].Card));
        QVERIFY(Shows(f, cards, s.table.Foundations[2].X, s.table.Foundations[2].Y, s.table.Foundations[2].Card));
        QVERIFY(Shows(f, cards, s.table.Foundations[0].X, s.table.Foundations[0].Y, s.deal.EmptyPileImage[0], DrawPicture));

        // A card picked up shows inverted at once.
        f.form->DrawHeldCard(c0.X[2], c0.Y[2], c0.Card[2]);
        QVERIFY(Shows(f, cards, c0.X[2], c0.Y[2], c0.Card[2], DrawHighlighted));
    }

    // A move made in the table while painting must hold still: the top strip
    // and the tableau keep their pictures and their columns stay marked.
    void paintLeavesAloneWhatItMust_data()
    {
        QTest::addColumn<bool>("suspended");
        QTest::addColumn<int>("cardsLeft");
        QTest::addColumn<bool>("topRedrawn");
        QTest::newRow("card in flight") << true << 46 << false;
        QTest::newRow("no card left") << false << 0 << true;
    }
    void paintLeavesAloneWhatItMust()
    {
        QFETCH(bool, suspended);
        QFETCH(int, cardsLeft);
        QFETCH(bool, topRedrawn);
        Ready f;
        GameState &s = f.State();
        CardPainter &cards = *f.form->Cards();
        const QImage topBefore = f.form->Painter().TopBuffer();
        const QImage tableBefore = f.form->Painter().TableBuffer();
        const QImage windowBefore = f.Window();

        SetColumn(s, 3, {});
        SetColumn(s, 5, {"5q"});
        SetCell(s, 0, "7c");
        s.paint.ColumnDirty[3] = s.paint.ColumnDirty[5] = true;
        s.paint.PaintSuspended = suspended;
        s.table.CardsLeft = cardsLeft;
        f.form->Repaint(PaintSender::BitBtn1);

        QCOMPARE(f.form->Painter().TableBuffer(), tableBefore);
        QVERIFY(s.paint.ColumnDirty[3] && s.paint.ColumnDirty[5]);
        QCOMPARE(f.form->Painter().TopBuffer() != topBefore, topRedrawn);
        QCOMPARE(Shows(f, cards, s.table.Cells[0].X, s.table.Cells[0].Y, s.table.Cells[0].Card), topRedrawn);
        if (!topRedrawn)
            QCOMPARE(f.Window(), windowBefore);

        s.paint.PaintSuspended = false;
        s.table.CardsLeft = 46;
        f.form->Repaint(PaintSender::BitBtn1);
        QVERIFY(Shows(f, cards, s.table.Columns[5].X[0], s.table.Columns[5].Y[0], s.table.Columns[5].Card[0]));
        QCOMPARE(At(f.Window(), s.table.Columns[3].X[0] + 30, s.table.Columns[3].Y[0] + 30), Ground);
        QVERIFY(!s.paint.ColumnDirty[3] && !s.paint.ColumnDirty[5]);
        QVERIFY(ScreenShowsCanvas(f));
    }

    // A repaint draws again only what looks different: after each change the
    // window must hold what a repaint of the whole table gives.
    void repaintOfChangesMatchesWholeRepaint()
    {
        Ready f;
        GameState &s = f.State();
        const TableColumn &c0 = s.table.Columns[0];
        const struct {
            const char *what;
            std::function<void()> change;
        } steps[] = {
            {"top card off", [&] { SetColumn(s, 0, {"Rc", "Dp"}); }},
            {"card onto a column", [&] { SetColumn(s, 3, {"5q", "4p"}); }},
            {"column laid anew", [&] { SetColumn(s, 3, {"Fp", "10c", "9f"}); }},
            {"column emptied", [&] { SetColumn(s, 3, {}); }},
            {"highlight dropped back", [&] { f.form->DrawHeldCard(c0.X[1], c0.Y[1], c0.Card[1]); }},
            {"cell filled, cell emptied", [&] { SetCell(s, 0, "7c"); s.table.Cells[1].Occupied = 0; }},
            {"pile filled", [&] { SetPile(s, 0, "Ac"); }},
            {"next card on the pile", [&] { SetPile(s, 0, "2c"); }},
            {"nothing changed", [] {}},
        };
        for (const auto &step : steps) {
            step.change();
            s.paint.ColumnDirty.fill(true);
            f.form->Repaint(PaintSender::BitBtn1);
            QVERIFY2(ScreenShowsCanvas(f), step.what);
            const QImage changed = f.Window().copy();
            s.paint.FullRepaint = true;
            s.paint.ColumnDirty.fill(true);
            f.form->Repaint(PaintSender::BitBtn1);
            QVERIFY2(f.Window() == changed, step.what);
        }
    }

    // The count of the moves shows on the window whatever part of the panel
    // it drew on.
    void movesPanelShowsWhatItDrew()
    {
        Ready f;
        GameState &s = f.State();
        s.flags.AnalysisOn = s.flags.MovesLeft = s.flags.ShowMoves = true;
        const QRect area = InfoPanelArea(s.Layout);
        // A column's mark goes from red to green (an ace can go home) to a
        // free place's square.
        for (const auto &cards : {std::vector<CardCode>{Card("5q")}, {Card("Aq")}, {}}) {
            SetColumnCards(s, 3, cards);
            AnalyseMoves(s, *f.form);
            QCOMPARE(f.Window().copy(QRect(area.topLeft() * Scale, area.size() * Scale)),
                     f.form->Painter().InfoPanel());
            QVERIFY(ScreenShowsCanvas(f));
        }
    }

    void flightShowsTheCardAtEveryStep()
    {
        WindowFixture f(QStringLiteral("zozaro2.dll"), false);
        auto *form = new PausingForm(SettingsStore(f.StorePath()));
        f.form.reset(form);
        QVERIFY(f.Show());
        QVERIFY(IdleUntil([&] { return form->Cards()->Library().Loaded(); }));
        GameState &s = f.State();
        LayTable(s);
        form->Repaint(PaintSender::Window);
        CardPainter &cards = *form->Cards();
        const CardCode card = Card("5q");

        const QList<QPoint> steps = {{295, 400}, {320, 335}, {345, 270}, {370, 205},
                                     {395, 140}, {420, 75}, {445, 10}};
        int pauses = 0;
        bool allShown = true;
        form->onPause = [&] {
            const QPoint at = steps.value(pauses++);
            // A paint in mid-flight must not wipe the card off the window.
            form->Repaint(PaintSender::Window);
            allShown = allShown && s.paint.PaintSuspended && Shows(f, cards, at.x(), at.y(), card)
                && ScreenShowsCanvas(f);
        };
        form->FlyCard(card, 295, 400, 448, 9);
        QCOMPARE(pauses, steps.size());
        QVERIFY(allShown);
        QVERIFY(!s.paint.PaintSuspended);
        QVERIFY(Shows(f, cards, 448, 9, card));
        // The steps stay on the window until the table is painted again; the
        // next step covers the first one's top 31 rows.
        QVERIFY(Shows(f, cards, 295, 400, card, DrawNormal, 0, 31));
        QVERIFY(ScreenShowsCanvas(f));
        // Painted again, the table wipes the steps off the screen too.
        form->Repaint(PaintSender::BitBtn1);
        QVERIFY(!Shows(f, cards, 295, 400, card, DrawNormal, 0, 31));
        QVERIFY(ScreenShowsCanvas(f));
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    if (!UseOffscreenScreen(dir, 1024, 768, Scale))
        return 1;
    QApplication app(argc, argv);
    TestPainting test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_painting.moc"
