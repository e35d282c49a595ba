#include <QPoint>
#include <QTest>

#include <algorithm>
#include <vector>

#include "core/automove.h"
#include "moves/pointer.h"
#include "support/fakeshell.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

namespace quintara {
char *toString(const PixelRect &r)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom));
}
} // namespace quintara

namespace {

const QString Title = QStringLiteral("Quintara - Edizione Speciale - V2.1");

enum class At { Cell, Pile, Column };
struct Spot {
    At kind;
    int index;
};

// The middle of a free cell's or pile's card or of a column's top card; for
// an empty column, half a card below where its first card lay.
QPoint PointOf(const GameState &state, Spot spot)
{
    const TableLayout &l = state.Layout;
    if (spot.kind != At::Column) {
        const SlotRecord &s = spot.kind == At::Cell ? state.table.Cells[spot.index] : state.table.Foundations[spot.index];
        return {s.X + l.grid.CardWidth / 2, s.Y + l.grid.CardHeight / 2};
    }
    const TableColumn &col = state.table.Columns[spot.index];
    const int slot = TopSlot(col).value_or(0);
    return {col.X[slot] + l.grid.CardWidth / 2, col.Y[slot] + l.grid.CardHeight / 2};
}

void Press(GameState &s, FakeShell &sh, QPoint p, MouseButton b = MouseButton::Left)
{
    FormMouseDown(s, sh, b, p.x(), p.y());
}
void Release(GameState &s, FakeShell &sh, QPoint p, MouseButton b = MouseButton::Left)
{
    FormMouseUp(s, sh, b, p.x(), p.y());
}
void Hover(GameState &s, FakeShell &sh, QPoint p, CountObserver *narrator = nullptr)
{
    FormMouseMove(s, sh, p.x(), p.y(), narrator);
}
void Click(GameState &s, FakeShell &sh, QPoint p)
{
    Press(s, sh, p);
    Release(s, sh, p);
}

// A game in progress with every column laid out, so an empty column has
// its place on the table.
GameState Game()
{
    GameState state = MakeState();
    for (int c = 0; c < ColumnCount; ++c)
        SetColumn(state, c, {});
    state.paint.ColumnDirty.fill(false);
    state.flags.GameInProgress = true;
    state.Settings.TransferInfo = true;
    return state;
}

// A position with room for every kind of move: two empty cells, two empty
// columns (5 and 6), capacity 5.
GameState Sampler()
{
    GameState state = Game();
    SetColumn(state, 0, {"Rf", "10c"});
    SetColumn(state, 1, {"Dc", "9p", "8c"});   // a run of two that fits on the 10c
    SetColumn(state, 2, {"Df", "9f"});
    SetColumn(state, 3, {"Dq", "2q"});
    SetColumn(state, 4, {"Rq", "7p"});
    SetColumn(state, 7, {"Rc", "Af"});
    SetCell(state, 0, "6c");
    SetCell(state, 1, "2c");
    SetPile(state, 0, "Ac");
    SetPile(state, 1, "Aq");
    return state;
}

// Every cell and column taken: capacity 1.
void Crowd(GameState &state, int fromColumn)
{
    const char *filler[] = {"Rc", "Rq", "Rp", "Rf", "Dc", "Dq", "Dp", "Df"};
    for (int c = fromColumn; c < ColumnCount; ++c)
        SetColumn(state, c, {filler[c]});
    for (int i = 0; i < CellCount; ++i)
        SetCell(state, i, filler[i]);
}

std::vector<CardCode> CardsInPlay(const GameState &state)
{
    std::vector<CardCode> cards;
    for (const TableColumn &col : state.table.Columns)
        for (int s = 0; s < SlotCount; ++s)
            if (col.Occupied[s])
                cards.push_back(col.Card[s]);
    for (const SlotRecord &cell : state.table.Cells)
        if (cell.Occupied)
            cards.push_back(cell.Card);
    std::sort(cards.begin(), cards.end());
    return cards;
}

// What every finished drop must leave: columns without gaps, each card at its
// row under the column's first slot, nothing highlighted.
QString TableFault(const GameState &state)
{
    for (int c = 0; c < ColumnCount; ++c) {
        const TableColumn &col = state.table.Columns[c];
        const int count = TopSlot(col).value_or(-1) + 1;
        for (int s = 0; s < count; ++s) {
            if (!col.Occupied[s] || col.DrawMode[s] != DrawNormal || col.X[s] != col.X[0]
                || col.Y[s] != col.Y[0] + s * state.Layout.grid.RowStep)
                return QStringLiteral("column %1 slot %2").arg(c).arg(s);
        }
    }
    for (int i = 0; i < CellCount; ++i) {
        if (state.table.Cells[i].Occupied && state.table.Cells[i].DrawMode != DrawNormal)
            return QStringLiteral("cell %1").arg(i);
    }
    return {};
}

void VerifyFinished(const GameState &state, const FakeShell &shell, bool moved)
{
    QCOMPARE(state.held.PickedFrom, int(FromNothing));
    QVERIFY(!shell.captured);
    QCOMPARE(shell.pointer, Pointer::Arrow);
    QCOMPARE(shell.repaints, std::vector<PaintSender>{PaintSender::BitBtn1});
    QCOMPARE(state.flags.ShownCardsLeft, 0);
    QVERIFY(state.panels.PanelNeedsRedraw);
    QVERIFY(state.flags.UndoAvailable);
    QCOMPARE(state.flags.UndoEnabled, moved);
    QCOMPARE(TableFault(state), QString());
}

struct StepCounter : CountObserver {
    int counts = 0;
    void stepBegun(CountStep, CardCode) override { ++counts; }
    void cardExamined(int, CardCode) override {}
    void runBroken(int) override {}
    void cardFits(int) override {}
    void countFinished(CountStep, int) override {}
};

struct MoveRow {
    const char *name;
    Spot from, to;
    bool releasesHold;
    int panel;
    const char *text;
};

const MoveRow MoveRows[] = {
    {"cell to cell", {At::Cell, 0}, {At::Cell, 2}, false, 1, "Cella -> cella libera:  6 di Cuori"},
    {"column to cell", {At::Column, 2}, {At::Cell, 3}, true, 1, "Tavola -> cella libera:  9 di Fiori"},
    {"cell to pile", {At::Cell, 1}, {At::Pile, 0}, true, 2, "Cella -> fila: 2 di Cuori"},
    {"column to pile", {At::Column, 3}, {At::Pile, 1}, true, 2, "Tavola -> fila:  2 di Quadri"},
    {"cell onto column", {At::Cell, 0}, {At::Column, 4}, true, 2, "Cella -> colonna:  6 di Cuori"},
    {"card onto column", {At::Column, 2}, {At::Column, 0}, true, 2, "Tavola -> colonna:  9 di Fiori"},
    {"group onto column", {At::Column, 1}, {At::Column, 0}, true, 2, "Tavola -> colonna:  2 carte"},
    {"cell into empty column", {At::Cell, 0}, {At::Column, 5}, false, 2, "Cella -> colonna:  6 di Cuori"},
    {"card into empty column", {At::Column, 2}, {At::Column, 5}, false, 2, "Tavola -> colonna:  9 di Fiori"},
    {"run into empty column", {At::Column, 1}, {At::Column, 6}, false, 2, "Tavola -> colonna vuota:  2 carte"},
};

} // namespace

class TestPointer : public QObject {
    Q_OBJECT
private slots:
    void pickUpTakesSnapshotAndHighlights_data()
    {
        QTest::addColumn<bool>("fromCell");
        QTest::newRow("column") << false;
        QTest::newRow("free cell") << true;
    }
    void pickUpTakesSnapshotAndHighlights()
    {
        QFETCH(bool, fromCell);
        GameState state = Sampler();
        state.flags.UndoEnabled = true;
        const Table before = state.table;
        FakeShell shell;
        shell.status[1] = shell.status[2] = QStringLiteral("old");
        Press(state, shell, PointOf(state, fromCell ? Spot{At::Cell, 0} : Spot{At::Column, 2}));

        QCOMPARE(state.held.PickedFrom, int(fromCell ? FromCell : FromColumn));
        QCOMPARE(state.held.PickedIndex, fromCell ? 0 : 2);
        QCOMPARE(state.held.PickedSlot, fromCell ? 0 : 1);
        const CardCode card = Card(fromCell ? "6c" : "9f");
        QCOMPARE(state.held.PickedCard, card);
        QCOMPARE(fromCell ? state.table.Cells[0].DrawMode : state.table.Columns[2].DrawMode[1], int(DrawHighlighted));
        QCOMPARE(shell.heldCardsDrawn, std::vector<CardCode>{card});
        // The snapshot is the position before the card was highlighted.
        QVERIFY(state.undo.Columns == before.Columns && state.undo.Cells == before.Cells);
        QVERIFY(state.undo.Foundations == before.Foundations && state.undo.CardsHome == before.CardsHome);
        QCOMPARE(state.undo.CardsLeft, before.CardsLeft);
        QVERIFY(state.flags.UndoAvailable && !state.flags.UndoEnabled);
        QVERIFY(state.panels.DetailsHeaderDue);
        QCOMPARE(state.held.ReleaseCount, 0);
        QVERIFY(shell.captured);
        QCOMPARE(shell.status[0], QStringLiteral("Carta selezionata: %1").arg(CardText(card)));
        QVERIFY(shell.status[1].isEmpty() && shell.status[2].isEmpty());
    }

    void pressesThatPickNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("deeper card") << 0;
        QTest::newRow("foundation") << 1;
        QTest::newRow("empty free cell") << 2;
        QTest::newRow("empty column") << 3;
        QTest::newRow("right button") << 4;
        QTest::newRow("no game") << 5;
    }
    void pressesThatPickNothing()
    {
        QFETCH(int, kind);
        GameState state = Sampler();
        FakeShell shell;
        const TableColumn &col1 = state.table.Columns[1];
        const QPoint deeper(col1.X[1] + state.Layout.grid.CardWidth / 2, col1.Y[1] + state.Layout.grid.RowStep / 2);
        const QPoint points[] = {deeper, PointOf(state, {At::Pile, 0}), PointOf(state, {At::Cell, 2}),
                                 PointOf(state, {At::Column, 5})};
        state.flags.GameInProgress = kind != 5;
        const QPoint top = PointOf(state, {At::Column, 2});
        Press(state, shell, kind < 4 ? points[kind] : top, kind == 4 ? MouseButton::Other : MouseButton::Left);
        QCOMPARE(state.held.PickedFrom, int(FromNothing));
        QVERIFY(!shell.captured && !state.flags.UndoAvailable && shell.heldCardsDrawn.empty());
        QVERIFY(shell.status[0].isEmpty());
    }

    void movesOfEveryKind_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("drag");
        for (int i = 0; i < int(std::size(MoveRows)); ++i) {
            QTest::addRow("%s by clicks", MoveRows[i].name) << i << false;
            QTest::addRow("%s by drag", MoveRows[i].name) << i << true;
        }
    }
    void movesOfEveryKind()
    {
        QFETCH(int, row);
        QFETCH(bool, drag);
        const MoveRow &m = MoveRows[row];
        GameState state = Sampler();
        const GameState before = state;
        FakeShell shell;
        const QPoint from = PointOf(state, m.from);
        const QPoint to = PointOf(state, m.to);
        if (drag) {
            Press(state, shell, from);
            Hover(state, shell, to);
        } else {
            Click(state, shell, from);
            QCOMPARE(state.held.PickedFrom, int(m.from.kind == At::Cell ? FromCell : FromColumn));
            Press(state, shell, to);
        }
        Release(state, shell, to);

        VerifyFinished(state, shell, true);
        QCOMPARE(state.flags.AutoMoveHold, !m.releasesHold);
        QCOMPARE(shell.status[m.panel], QString::fromUtf8(m.text));
        QCOMPARE(shell.detailsCleared, m.to.kind == At::Column ? 1 : 0);
        // Cards only change places, or go home one at a time.
        const std::vector<CardCode> was = CardsInPlay(before), now = CardsInPlay(state);
        QVERIFY(std::includes(was.begin(), was.end(), now.begin(), now.end()));
        QCOMPARE(int(was.size() - now.size()), before.table.CardsLeft - state.table.CardsLeft);
        QCOMPARE(int(was.size() - now.size()), m.to.kind == At::Pile ? 1 : 0);
        QCOMPARE(state.table.FoundationLevel, before.table.FoundationLevel);
        for (int c = 0; c < ColumnCount; ++c) {
            const bool changed = (m.from.kind == At::Column && m.from.index == c)
                || (m.to.kind == At::Column && m.to.index == c);
            QCOMPARE(state.paint.ColumnDirty[c], changed);
        }
    }

    void clickingTheHeldCardPutsItBack_data()
    {
        QTest::addColumn<bool>("fromCell");
        QTest::addColumn<bool>("dragAwayFirst");
        QTest::newRow("column") << false << false;
        QTest::newRow("free cell") << true << false;
        QTest::newRow("column, dragged away first") << false << true;
        QTest::newRow("free cell, dragged away first") << true << true;
    }
    void clickingTheHeldCardPutsItBack()
    {
        QFETCH(bool, fromCell);
        QFETCH(bool, dragAwayFirst);
        GameState state = Sampler();
        const Table before = state.table;
        FakeShell shell;
        const QPoint card = PointOf(state, fromCell ? Spot{At::Cell, 0} : Spot{At::Column, 2});
        const TableColumn &col0 = state.table.Columns[0];
        const QPoint between(col0.X[0] + state.Layout.grid.CardWidth + state.deal.ColumnGap / 2, col0.Y[1]);
        Press(state, shell, card);
        Release(state, shell, dragAwayFirst ? between : card);
        QVERIFY(state.held.PickedFrom != FromNothing && shell.captured);
        if (dragAwayFirst) {
            // The release away from the card does not count: this click is the first over it.
            Click(state, shell, card);
            QVERIFY(state.held.PickedFrom != FromNothing && shell.captured);
        }
        Click(state, shell, card);
        VerifyFinished(state, shell, false);
        QVERIFY(state.table == before);
        QVERIFY(fromCell || state.paint.ColumnDirty[2]);
    }

    void heldCardIgnoresOtherPressesAndButtons()
    {
        GameState state = Sampler();
        FakeShell shell;
        Click(state, shell, PointOf(state, {At::Column, 2}));
        Press(state, shell, PointOf(state, {At::Column, 1}));
        Release(state, shell, PointOf(state, {At::Column, 0}), MouseButton::Other);
        QCOMPARE(state.held.PickedCard, Card("9f"));
        QCOMPARE(shell.heldCardsDrawn.size(), std::size_t(1));
        QVERIFY(shell.captured && shell.repaints.empty());
        state.flags.GameInProgress = false;
        Release(state, shell, PointOf(state, {At::Column, 0}));
        QVERIFY(shell.captured && shell.repaints.empty());
    }

    void refusingPlacesKeepTheCardHeld()
    {
        GameState state = Sampler();
        FakeShell shell;
        const GameState before = state;
        Click(state, shell, PointOf(state, {At::Column, 7}));   // the ace of Fiori
        shell.pointer = Pointer::LargeDown;
        Hover(state, shell, PointOf(state, {At::Cell, 2}));
        QCOMPARE(shell.pointer, Pointer::Arrow);
        QVERIFY(state.held.HotRect.isEmpty());
        const Spot refusing[] = {{At::Cell, 2}, {At::Cell, 0}, {At::Pile, 0}, {At::Column, 0}};
        for (Spot spot : refusing)
            Release(state, shell, PointOf(state, spot));
        QCOMPARE(state.held.PickedFrom, int(FromColumn));
        QVERIFY(shell.captured && shell.notices.empty() && shell.repaints.empty());
        QVERIFY(state.table.Cells == before.table.Cells && state.table.Foundations == before.table.Foundations);
    }

    void groupBeyondCapacityIsPutBack()
    {
        GameState state = Game();
        SetColumn(state, 0, {"Rf", "10c"});
        SetColumn(state, 1, {"Dc", "9p", "8c", "7f"});
        Crowd(state, 2);
        const Table before = state.table;
        FakeShell shell;
        Click(state, shell, PointOf(state, {At::Column, 1}));
        Hover(state, shell, PointOf(state, {At::Column, 0}));
        QCOMPARE(shell.pointer, Pointer::Arrow);
        QVERIFY(state.held.HotRect.isEmpty());
        Click(state, shell, PointOf(state, {At::Column, 0}));
        QCOMPARE(shell.notices.size(), std::size_t(1));
        QCOMPARE(shell.notices[0].text, QStringLiteral("Massimo numero di carte spostabili: solo 1."));
        QCOMPARE(shell.notices[0].caption, Title);
        QCOMPARE(shell.notices[0].icon, NoticeIcon::Information);
        VerifyFinished(state, shell, false);
        QVERIFY(state.table == before);
    }

    void runTowardTheOnlyEmptyColumn_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void runTowardTheOnlyEmptyColumn()
    {
        QFETCH(bool, yes);
        GameState state = Game();
        SetColumn(state, 0, {"9p", "8c", "7p", "6c", "5p"});
        Crowd(state, 1);
        SetColumn(state, 3, {});
        state.table.Cells[2] = {0, state.table.Cells[2].X, state.table.Cells[2].Y, 0, DrawBlank};
        FakeShell shell;
        shell.answers = {yes};
        Click(state, shell, PointOf(state, {At::Column, 0}));
        Hover(state, shell, PointOf(state, {At::Column, 3}));
        // The count before the limit of the free places.
        QCOMPARE(shell.status[0], QStringLiteral("Carte pronte per lo spostamento: 5"));
        Click(state, shell, PointOf(state, {At::Column, 3}));

        QCOMPARE(shell.questions, QStringList{QStringLiteral("Vuoi muovere più di una carta?")});
        const int n = yes ? 2 : 1;
        QCOMPARE(shell.status[2], QStringLiteral("Tavola -> colonna vuota:  %1 carte").arg(n));
        QCOMPARE(TopSlot(state.table.Columns[3]).value(), n - 1);
        QCOMPARE(TopSlot(state.table.Columns[0]).value(), 4 - n);
        QCOMPARE(state.table.Columns[3].Card[n - 1], Card("5p"));
        QCOMPARE(state.table.Columns[3].Card[0], Card(yes ? "6c" : "5p"));
        QVERIFY(state.flags.AutoMoveHold);
        VerifyFinished(state, shell, true);
    }

    void emptyColumnDropAndHoverAreas_data()
    {
        const int step = MakeState().Layout.grid.RowStep;
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("hoverAccepts");
        QTest::addColumn<bool>("dropMoves");
        QTest::newRow("260 pixels down") << 260 << true << false;
        QTest::newRow("last row of the drop area") << 14 * step - 1 << true << true;
        QTest::newRow("just below the drop area") << 14 * step << true << false;
        QTest::newRow("last row of the hover area") << 17 * step - 1 << true << false;
        QTest::newRow("below the hover area") << 17 * step << false << false;
    }
    void emptyColumnDropAndHoverAreas()
    {
        QFETCH(int, dy);
        QFETCH(bool, hoverAccepts);
        QFETCH(bool, dropMoves);
        GameState state = Sampler();
        FakeShell shell;
        const TableColumn &col = state.table.Columns[5];
        const QPoint point(col.X[0] + 1, col.Y[0] + dy);
        Click(state, shell, PointOf(state, {At::Column, 2}));
        Hover(state, shell, point);
        QCOMPARE(shell.pointer, hoverAccepts ? Pointer::LargeUp : Pointer::Arrow);
        const PixelRect hoverArea{col.X[0], col.Y[0], col.X[0] + state.Layout.grid.CardWidth,
                                  col.Y[0] + 17 * state.Layout.grid.RowStep};
        QCOMPARE(state.held.HotRect, hoverAccepts ? hoverArea : PixelRect{});
        Release(state, shell, point);
        QCOMPARE(state.held.PickedFrom, int(dropMoves ? FromNothing : FromColumn));
        QCOMPARE(TopSlot(state.table.Columns[5]).has_value(), dropMoves);
    }

    void foundationDropCountsTheCardButNotTheLevel()
    {
        GameState state = Sampler();
        SetColumn(state, 7, {"Rc", "2f"});
        SetPile(state, 0, "2c");
        SetPile(state, 1, "2q");
        SetPile(state, 2, "2p");
        SetPile(state, 3, "Af");
        UpdateFoundationLevel(state.table);
        const int left = state.table.CardsLeft;
        FakeShell shell;
        Click(state, shell, PointOf(state, {At::Column, 7}));
        Click(state, shell, PointOf(state, {At::Pile, 2}));   // another suit's pile refuses it
        QCOMPARE(state.held.PickedFrom, int(FromColumn));
        Click(state, shell, PointOf(state, {At::Pile, 3}));
        QCOMPARE(state.table.Foundations[3].Card, Card("2f"));
        QCOMPARE(state.table.CardsLeft, left - 1);
        QCOMPARE(int(state.table.CardsHome[1][3]), 1);
        // The last two completes its rank only at the next automatic-move pass.
        QCOMPARE(state.table.FoundationLevel, 1);
        QCOMPARE(int(state.table.CardsHome[1][4]), 0);
        UpdateFoundationLevel(state.table);
        QCOMPARE(state.table.FoundationLevel, 2);
    }

    // Hearts and diamonds are home on piles 0 and 1; were the new order to
    // rule at once, no pile would take the ace of clubs.
    void suitOrderChosenDuringAGameWaitsForTheNextDeal()
    {
        GameState state = Sampler();
        state.Settings.PileSuit = {2, 3, 0, 1};
        FakeShell shell;
        Click(state, shell, PointOf(state, {At::Column, 7}));
        Click(state, shell, PointOf(state, {At::Pile, 2}));   // still the spades' pile
        QCOMPARE(state.held.PickedFrom, int(FromColumn));
        Click(state, shell, PointOf(state, {At::Pile, 3}));
        QCOMPARE(state.table.Foundations[3].Card, Card("Af"));
    }

    void columnWithoutRoomRefusesCardsFromAColumn_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("text");
        QTest::newRow("one card, full column")
            << 18 << 2 << QStringLiteral("La colonna numero 1 è piena: non può ricevere altre carte.");
        QTest::newRow("two cards, room for one")
            << 17 << 1 << QStringLiteral("Nella colonna numero 1 c'è posto solo per una carta, non per 2 carte.");
        QTest::newRow("free-cell card, full column") << 18 << -1 << QString();
    }
    void columnWithoutRoomRefusesCardsFromAColumn()
    {
        QFETCH(int, depth);
        QFETCH(int, source);
        QFETCH(QString, text);
        GameState state = Sampler();
        std::vector<CardCode> deep(depth - 1, Card("Rp"));
        deep.push_back(Card("10c"));
        SetColumnCards(state, 0, deep);
        SetCell(state, 0, "9p");
        const Table before = state.table;
        FakeShell shell;
        Click(state, shell, PointOf(state, source < 0 ? Spot{At::Cell, 0} : Spot{At::Column, source}));
        shell.pointer = Pointer::Hourglass;
        Hover(state, shell, PointOf(state, {At::Column, 0}));
        QVERIFY(shell.pointer != Pointer::LargeDown && state.held.HotRect.isEmpty());
        Click(state, shell, PointOf(state, {At::Column, 0}));
        if (text.isEmpty()) {
            // A free-cell card waits silently for another place.
            QVERIFY(shell.notices.empty());
            QCOMPARE(state.held.PickedFrom, int(FromCell));
            QVERIFY(shell.captured);
            return;
        }
        QCOMPARE(shell.notices.size(), std::size_t(1));
        QCOMPARE(shell.notices[0].text, text);
        QCOMPARE(shell.notices[0].caption, Title);
        QCOMPARE(shell.notices[0].icon, NoticeIcon::Information);
        VerifyFinished(state, shell, false);
        QVERIFY(state.table == before);
    }

    void hoverTextsAndPointers_data()
    {
        QTest::addColumn<int>("fromKind");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("toKind");
        QTest::addColumn<int>("to");
        QTest::addColumn<Pointer>("pointer");
        QTest::addColumn<QStringList>("texts");
        const int cell = int(At::Cell), pile = int(At::Pile), column = int(At::Column);
        auto texts = [](int n, const char *place, const char *card) {
            return QStringList{QStringLiteral("Carte pronte per lo spostamento: %1").arg(n),
                               QString::fromUtf8(place), QString::fromUtf8(card)};
        };
        QTest::newRow("empty free cell") << column << 2 << cell << 2 << Pointer::LargeUp
            << texts(1, "Hai scelto la cella libera numero 3", "Carta scelta: nessuna");
        QTest::newRow("column with cards") << column << 1 << column << 0 << Pointer::LargeDown
            << texts(2, "Hai scelto la colonna numero 1", "La carta scelta è: 10 di Cuori");
        QTest::newRow("free-cell card on column") << cell << 0 << column << 4 << Pointer::LargeDown
            << texts(1, "Hai scelto la colonna numero 5", "La carta scelta è: 7 di Picche");
        QTest::newRow("empty column") << column << 1 << column << 5 << Pointer::LargeUp
            << texts(2, "Hai scelto la colonna vuota numero 6", "Carta scelta: nessuna");
        QTest::newRow("pile with cards") << cell << 1 << pile << 0 << Pointer::LargeUp
            << texts(1, "Hai scelto la fila numero 1", "La carta scelta è: Asso di Cuori");
        QTest::newRow("empty pile") << column << 7 << pile << 3 << Pointer::LargeUp
            << texts(1, "Hai scelto la fila numero 4", "Carta scelta: nessuna");
        QTest::newRow("refusing pile") << column << 2 << pile << 0 << Pointer::Arrow << QStringList();
        QTest::newRow("refusing column") << column << 2 << column << 4 << Pointer::Arrow << QStringList();
        QTest::newRow("taken free cell") << column << 2 << cell << 0 << Pointer::Arrow << QStringList();
        QTest::newRow("the held card") << column << 2 << column << 2 << Pointer::Arrow << QStringList();
        // With an ace no free cell is looked at, so nothing before the first
        // column turns the pointer back to the arrow.
        QTest::newRow("ace over refusing first column")
            << column << 7 << column << 0 << Pointer::Hourglass << QStringList();
    }
    void hoverTextsAndPointers()
    {
        QFETCH(int, fromKind);
        QFETCH(int, from);
        QFETCH(int, toKind);
        QFETCH(int, to);
        QFETCH(Pointer, pointer);
        QFETCH(QStringList, texts);
        GameState state = Sampler();
        FakeShell shell;
        Click(state, shell, PointOf(state, {At(fromKind), from}));
        const QStringList pickUpTexts{shell.status[0], shell.status[1], shell.status[2]};
        shell.pointer = Pointer::Hourglass;
        const QPoint point = PointOf(state, {At(toKind), to});
        Hover(state, shell, point);
        QCOMPARE(shell.pointer, pointer);
        QCOMPARE((QStringList{shell.status[0], shell.status[1], shell.status[2]}),
                 texts.isEmpty() ? pickUpTexts : texts);
        QCOMPARE(state.held.HotRect.isEmpty(), texts.isEmpty());
        if (!texts.isEmpty()) {
            QVERIFY(state.held.HotRect.contains(point.x(), point.y()));
            QCOMPARE(state.held.HotRect.width(), state.Layout.grid.CardWidth);
        }
    }

    void hotRectSparesRecounting()
    {
        GameState state = Sampler();
        state.flags.DetailsShown = true;
        FakeShell shell;
        StepCounter narrator;
        Click(state, shell, PointOf(state, {At::Column, 1}));
        const QPoint onTen = PointOf(state, {At::Column, 0});
        Hover(state, shell, onTen, &narrator);
        QCOMPARE(narrator.counts, 1);
        shell.status[0].clear();
        Hover(state, shell, onTen + QPoint(5, 5), &narrator);
        QCOMPARE(narrator.counts, 1);
        QVERIFY(shell.status[0].isEmpty());
        // A refusing column is looked at again at every movement.
        const QPoint onSeven = PointOf(state, {At::Column, 4});
        Hover(state, shell, onSeven, &narrator);
        Hover(state, shell, onSeven + QPoint(1, 0), &narrator);
        QCOMPARE(narrator.counts, 3);
        QVERIFY(state.held.HotRect.isEmpty());
        // The narration is heard only while the details panel is shown.
        state.flags.DetailsShown = false;
        Hover(state, shell, onTen, &narrator);
        QCOMPARE(narrator.counts, 3);
        QCOMPARE(shell.pointer, Pointer::LargeDown);
        state.flags.DetailsShown = true;
        FormMouseUp(state, shell, MouseButton::Left, onTen.x(), onTen.y(), &narrator);
        QCOMPARE(narrator.counts, 4);
        QCOMPARE(state.held.PickedFrom, int(FromNothing));
        // Without a held card the pointer is the arrow.
        Hover(state, shell, PointOf(state, {At::Cell, 3}));
        QCOMPARE(shell.pointer, Pointer::Arrow);
        QVERIFY(state.held.HotRect.isEmpty());
    }

    void withoutTransferInfoNoStatusText()
    {
        GameState state = Sampler();
        state.Settings.TransferInfo = false;
        FakeShell shell;
        Click(state, shell, PointOf(state, {At::Column, 1}));
        Hover(state, shell, PointOf(state, {At::Column, 0}));
        QCOMPARE(shell.pointer, Pointer::LargeDown);
        Click(state, shell, PointOf(state, {At::Column, 0}));
        QCOMPARE(TopSlot(state.table.Columns[0]).value(), 3);
        for (const QString &text : shell.status)
            QVERIFY(text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPointer)
#include "test_pointer.moc"
