#include <QTest>

#include <string_view>
#include <vector>

#include "core/analysis.h"
#include "support/fakeshell.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

namespace {

// Cards that lie under the black queen of column 0 when a test needs that
// column deep; none of them continues a run with the queen.
constexpr std::string_view Filler[] = {"Rc", "Rq", "Rp", "Rf", "Dc", "Dq", "Df", "Fp", "Ff",
                                       "10c", "10q", "10f", "9c", "9q", "9p", "9f", "8q"};

// A game in progress with every free cell full, no empty column and no move:
// twos in the cells with no three showing, and column tops that take nothing
// and go nowhere. Column 0 holds `height` cards with the black queen on top,
// the only card that takes a red jack.
GameState LockedState(int height = 1)
{
    GameState state = MakeState();
    std::vector<CardCode> column0;
    for (int i = 0; i < height - 1; ++i)
        column0.push_back(Card(Filler[i]));
    column0.push_back(Card("Dp"));
    SetColumnCards(state, 0, column0);
    const char *tops[] = {"6c", "6q", "4c", "4q", "4p", "4f", "8c"};
    for (int c = 1; c < ColumnCount; ++c)
        SetColumn(state, c, {tops[c - 1]});
    const char *cells[] = {"2c", "2q", "2p", "2f"};
    for (int i = 0; i < CellCount; ++i)
        SetCell(state, i, cells[i]);
    state.flags.GameInProgress = state.flags.DeckDealt = true;
    state.flags.MovesLeft = state.flags.AnalysisOn = state.flags.UndoEnabled = state.flags.FinishEnabled = true;
    state.flags.AutoMoveHold = false;
    state.panels.PanelNeedsRedraw = true;
    return state;
}

void EmptyCell(GameState &state, int cell)
{
    state.table.Cells[cell] = {0, state.table.Cells[cell].X, state.table.Cells[cell].Y, 0, DrawBlank};
}

// Analyses with the panel shown and returns what it was given to draw.
MoveAnalysis Shown(GameState &state, FakeShell &shell)
{
    state.flags.ShowMoves = true;
    AnalyseMoves(state, shell);
    if (shell.analyses.empty())
        return {};
    return shell.analyses.back();
}

bool GameGoesOn(const GameState &state, const FakeShell &shell)
{
    return state.flags.MovesLeft && state.flags.AnalysisOn && state.flags.UndoEnabled && state.flags.FinishEnabled
           && shell.buttonEnabled[int(Button::UndoBtn1)];
}

bool DeclaredLost(const GameState &state, const FakeShell &shell)
{
    return !state.flags.MovesLeft && !state.flags.AnalysisOn && !state.flags.UndoEnabled && !state.flags.FinishEnabled
           && !shell.buttonEnabled[int(Button::UndoBtn1)];
}

} // namespace

Q_DECLARE_METATYPE(AnalysisComment)

class TestAnalysis : public QObject {
    Q_OBJECT
private slots:
    void lockedTableIsLost()
    {
        GameState state = LockedState();
        FakeShell shell;
        const MoveAnalysis a = Shown(state, shell);
        QVERIFY(DeclaredLost(state, shell));
        QCOMPARE(a.comment, AnalysisComment::Lost);
        QCOMPARE(a.room, 0);
        QCOMPARE(a.counts, (std::array<int, 4>{0, 0, 0, 0}));
        const std::vector<MoveMark> noCell(4, MoveMark::NotFound);
        const std::vector<MoveMark> noColumn(8, MoveMark::NotFound);
        QVERIFY(a.marks[CellsToPiles] == noCell && a.marks[CellsToTableau] == noCell);
        QVERIFY(a.marks[TableauToPiles] == noColumn && a.marks[ColumnToColumn] == noColumn);
        QCOMPARE(a.cellOccupied, (std::array<bool, 4>{true, true, true, true}));
    }

    void freePlaceKeepsGameGoing_data()
    {
        QTest::addColumn<bool>("emptyCell");
        QTest::addColumn<bool>("beforeFirstMove");
        QTest::addColumn<AnalysisComment>("comment");
        QTest::newRow("free cell, before the first move") << true << true << AnalysisComment::Greeting;
        QTest::newRow("free cell, after a move") << true << false << AnalysisComment::None;
        QTest::newRow("empty column, after a move") << false << false << AnalysisComment::None;
    }
    void freePlaceKeepsGameGoing()
    {
        QFETCH(bool, emptyCell);
        QFETCH(bool, beforeFirstMove);
        QFETCH(AnalysisComment, comment);
        GameState state = LockedState();
        if (emptyCell)
            EmptyCell(state, 3);
        else
            SetColumn(state, 7, {});
        state.flags.AutoMoveHold = beforeFirstMove;
        FakeShell shell;
        const MoveAnalysis a = Shown(state, shell);
        QCOMPARE(a.counts, (std::array<int, 4>{0, 0, 0, 0}));
        QCOMPARE(a.room, 1);
        QCOMPARE(a.comment, comment);
        QVERIFY(GameGoesOn(state, shell));
    }

    void moveLeftWithoutFreePlaceWarns()
    {
        GameState state = LockedState();
        SetPile(state, 0, "Ac");
        FakeShell shell;
        const MoveAnalysis a = Shown(state, shell);
        QCOMPARE(a.counts[CellsToPiles], 1);
        QCOMPARE(a.marks[CellsToPiles][0], MoveMark::Found);
        QCOMPARE(a.comment, AnalysisComment::Warning);
        QVERIFY(GameGoesOn(state, shell));
    }

    // A run of two that fits on the queen needs one free place to move.
    void groupNeedsCapacity_data()
    {
        QTest::addColumn<bool>("emptyCell");
        QTest::addColumn<int>("counted");
        QTest::newRow("no free place") << false << 0;
        QTest::newRow("one empty cell") << true << 1;
    }
    void groupNeedsCapacity()
    {
        QFETCH(bool, emptyCell);
        QFETCH(int, counted);
        GameState state = LockedState();
        SetColumn(state, 7, {"Fq", "10p"});
        if (emptyCell)
            EmptyCell(state, 3);
        FakeShell shell;
        const MoveAnalysis a = Shown(state, shell);
        QCOMPARE(a.counts[ColumnToColumn], counted);
        QCOMPARE(a.marks[ColumnToColumn][7], counted ? MoveMark::Found : MoveMark::NotFound);
        QCOMPARE(DeclaredLost(state, shell), !emptyCell);
    }

    void aceGoesOnlyToItsOwnPile()
    {
        GameState state = LockedState();
        state.deal.GamePileSuit = {2, 0, 3, 1};
        SetCell(state, 0, "Ap");
        SetColumn(state, 7, {"Af"});
        FakeShell shell;
        const MoveAnalysis a = Shown(state, shell);
        QCOMPARE(a.counts[CellsToPiles], 1);
        QVERIFY(a.marks[CellsToPiles]
                == (std::vector{MoveMark::Found, MoveMark::NotFound, MoveMark::NotFound, MoveMark::NotFound}));
        QCOMPARE(a.counts[TableauToPiles], 1);
        QCOMPARE(a.marks[TableauToPiles][7], MoveMark::Found);
    }

    void emptyColumnIsNeutralAndNoTarget()
    {
        GameState state = LockedState();
        SetColumn(state, 3, {});
        EmptyCell(state, 1);
        FakeShell shell;
        const MoveAnalysis a = Shown(state, shell);
        // Every free-cell card and every top card could go into the empty column.
        QCOMPARE(a.counts[CellsToTableau], 0);
        QCOMPARE(a.counts[ColumnToColumn], 0);
        for (MoveKind kind : {TableauToPiles, ColumnToColumn}) {
            QCOMPARE(a.marks[kind].size(), std::size_t(ColumnCount));
            for (int c = 0; c < ColumnCount; ++c)
                QCOMPARE(a.marks[kind][c], c == 3 ? MoveMark::Neutral : MoveMark::NotFound);
        }
        // An empty free cell has no move: its mark is red, its picture a free place.
        QCOMPARE(a.marks[CellsToPiles][1], MoveMark::NotFound);
        QCOMPARE(a.cellOccupied, (std::array<bool, 4>{true, false, true, true}));
        QCOMPARE(a.room, 2);
    }

    // The analysis counts only what a drop would carry out: no card onto a
    // column whose top lies in the last slot, no group beyond the room left.
    void destinationRoomLimitsCount_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("fromCell");
        QTest::addColumn<bool>("group");
        QTest::addColumn<int>("counted");
        QTest::newRow("free-cell card, top in slot 17") << 18 << true << false << 0;
        QTest::newRow("free-cell card, top in slot 16") << 17 << true << false << 1;
        QTest::newRow("column card, top in slot 17") << 18 << false << false << 0;
        QTest::newRow("column card, top in slot 16") << 17 << false << false << 1;
        QTest::newRow("group of two, top in slot 16") << 17 << false << true << 0;
        QTest::newRow("group of two, top in slot 15") << 16 << false << true << 1;
    }
    void destinationRoomLimitsCount()
    {
        QFETCH(int, height);
        QFETCH(bool, fromCell);
        QFETCH(bool, group);
        QFETCH(int, counted);
        GameState state = LockedState(height);
        if (fromCell)
            SetCell(state, 0, "Fc");
        else if (group) {
            SetColumn(state, 7, {"Fq", "10p"});
            EmptyCell(state, 3);   // the capacity a group of two needs
        } else
            SetColumn(state, 7, {"Fc"});
        FakeShell shell;
        const MoveAnalysis a = Shown(state, shell);
        QCOMPARE(a.counts[fromCell ? CellsToTableau : ColumnToColumn], counted);
        // With no free place, a move that the drop would refuse leaves the game lost.
        QCOMPARE(DeclaredLost(state, shell), !group && counted == 0);
    }

    void hiddenPanelCountsAndJudgesAllTheSame()
    {
        GameState state = LockedState();
        state.flags.ShowMoves = false;
        FakeShell shell;
        AnalyseMoves(state, shell);
        QVERIFY(DeclaredLost(state, shell));
        QVERIFY(shell.analyses.empty());
        QVERIFY(state.panels.PanelNeedsRedraw);   // kept for when the panel is shown
    }

    void frameDrawnOnlyWhenDue()
    {
        GameState state = LockedState();
        EmptyCell(state, 0);
        FakeShell shell;
        QVERIFY(Shown(state, shell).redrawFrame);
        QVERIFY(!state.panels.PanelNeedsRedraw);
        QVERIFY(!Shown(state, shell).redrawFrame);
        QCOMPARE(shell.analyses.size(), std::size_t(2));
    }

    void nothingWhileCardHeld()
    {
        GameState state = LockedState();
        state.held.PickedFrom = FromColumn;
        FakeShell shell;
        Shown(state, shell);
        QVERIFY(shell.analyses.empty());
        QVERIFY(GameGoesOn(state, shell));
        QVERIFY(state.panels.PanelNeedsRedraw);
    }

    void showCommandToggles_data()
    {
        QTest::addColumn<bool>("button");
        QTest::newRow("menu") << false;
        QTest::newRow("button") << true;
    }
    void showCommandToggles()
    {
        QFETCH(bool, button);
        GameState state = LockedState();
        EmptyCell(state, 0);
        state.flags.ShowMoves = false;
        state.paint.ColumnDirty.fill(false);
        FakeShell shell;
        const auto click = [&] { button ? ShowBtn1Click(state, shell) : MoveShow1Click(state, shell); };

        click();
        QVERIFY(state.flags.ShowMoves);
        QCOMPARE(shell.analyses.size(), std::size_t(1));
        QVERIFY(shell.repaints.empty());
        QCOMPARE(shell.infoPanelResets, 0);

        click();
        QVERIFY(!state.flags.ShowMoves);
        QCOMPARE(shell.analyses.size(), std::size_t(1));
        QCOMPARE(shell.infoPanelResets, 1);
        QCOMPARE(state.paint.ColumnDirty, (std::array<bool, 8>{true, true, true, true, true, true, true, true}));
        QCOMPARE(shell.repaints.size(), std::size_t(1));
        QCOMPARE(shell.repaints[0], button ? PaintSender::ShowBtn1 : PaintSender::MoveShow1);
    }

    void showCommandIgnored_data()
    {
        QTest::addColumn<bool>("inProgress");
        QTest::addColumn<bool>("details");
        QTest::newRow("no game") << false << false;
        QTest::newRow("move details shown") << true << true;
    }
    void showCommandIgnored()
    {
        QFETCH(bool, inProgress);
        QFETCH(bool, details);
        GameState state = LockedState();
        state.flags.GameInProgress = inProgress;
        state.flags.DetailsShown = details;
        FakeShell shell;
        for (bool shown : {false, true}) {
            state.flags.ShowMoves = shown;
            MoveShow1Click(state, shell);
            ShowBtn1Click(state, shell);
            QCOMPARE(state.flags.ShowMoves, shown);
        }
        QVERIFY(shell.analyses.empty() && shell.repaints.empty());
        QCOMPARE(shell.infoPanelResets, 0);
        QVERIFY(state.flags.MovesLeft);
    }
};

QTEST_APPLESS_MAIN(TestAnalysis)
#include "test_analysis.moc"
