#include <QTest>

#include "core/automove.h"
#include "core/undo.h"
#include "moves/pointer.h"
#include "support/fakeshell.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

namespace {

// A game in progress; the columns not named are empty but laid out.
GameState Game(std::initializer_list<std::initializer_list<std::string_view>> columns)
{
    GameState state = MakeState();
    int c = 0;
    for (auto cards : columns)
        SetColumn(state, c++, cards);
    for (; c < ColumnCount; ++c)
        SetColumn(state, c, {});
    state.flags.GameInProgress = true;
    return state;
}

void ClickAt(GameState &state, FakeShell &shell, int x, int y)
{
    FormMouseDown(state, shell, MouseButton::Left, x, y);
    FormMouseUp(state, shell, MouseButton::Left, x, y);
}

void ClickTopOf(GameState &state, FakeShell &shell, int c)
{
    const TableColumn &col = state.table.Columns[c];
    const int t = TopSlot(col).value_or(0);
    ClickAt(state, shell, col.X[t] + 1, col.Y[t] + 1);
}

void ClickSlot(GameState &state, FakeShell &shell, const SlotRecord &slot)
{
    ClickAt(state, shell, slot.X + 1, slot.Y + 1);
}

const Table &TableOf(const GameState &state) { return state.table; }

} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void undoTakesBackTheMoveAndTheAutomaticMovesAfterIt()
    {
        GameState state = Game({{"Ac", "5p"}, {"Rq", "Aq"}});
        const Table before = state.table;
        FakeShell shell;
        ClickTopOf(state, shell, 0);
        ClickSlot(state, shell, state.table.Cells[0]);
        QVERIFY(state.flags.UndoEnabled && !state.flags.AutoMoveHold);
        AutoMoveToFoundation(state, shell);
        AutoMoveToFoundation(state, shell);
        QCOMPARE(state.table.CardsLeft, DeckSize - 2);

        state.paint.PaintSuspended = true;
        state.paint.ColumnDirty.fill(false);
        UndoBtn1Click(state, shell);
        QVERIFY(TableOf(state) == before);
        QVERIFY(state.flags.AutoMoveHold && !state.paint.PaintSuspended);
        QVERIFY(!state.flags.UndoAvailable && !state.flags.UndoEnabled);
        QVERIFY(state.paint.CellRowFrameDirty && state.paint.FoundationFrameDirty);
        for (bool dirty : state.paint.ColumnDirty)
            QVERIFY(dirty);
        QCOMPARE(shell.detailsCleared, 1);
        QCOMPARE(shell.repaints.back(), PaintSender::MoveUndo1);

        // One level only: a second undo does nothing.
        const std::size_t repaints = shell.repaints.size();
        SetColumn(state, 7, {"Rc"});
        const Table afterUndo = state.table;
        MoveUndo1Click(state, shell);
        UndoBtn1Click(state, shell);
        QVERIFY(TableOf(state) == afterUndo);
        QCOMPARE(shell.repaints.size(), repaints);
    }

    void undoRestoresTheLevelAndItsText()
    {
        GameState state = Game({{"Rq", "2f"}});
        SetPile(state, 0, "2c");
        SetPile(state, 1, "2q");
        SetPile(state, 2, "2p");
        SetPile(state, 3, "Af");
        UpdateFoundationLevel(state.table);   // the aces are complete
        const Table before = state.table;
        FakeShell shell;
        const auto finishAces = [&] {
            ClickTopOf(state, shell, 0);
            ClickSlot(state, shell, state.table.Foundations[3]);
            shell.status[1].clear();
            AutoMoveToFoundation(state, shell);
        };
        finishAces();
        QCOMPARE(state.table.FoundationLevel, 2);
        QCOMPARE(state.table.CardsLeft, before.CardsLeft - 1);

        MoveUndo1Click(state, shell);
        QVERIFY(TableOf(state) == before);
        QCOMPARE(state.table.FoundationLevel, 1);
        QCOMPARE(int(state.table.CardsHome[1][4]), 0);

        // The rank is completed anew, and said so again.
        finishAces();
        QCOMPARE(state.table.FoundationLevel, 2);
        QCOMPARE(shell.status[1], QStringLiteral(" Livello raggiunto: 2"));
    }

    void putBackRetakesTheSnapshotAndDisablesUndo()
    {
        GameState state = Game({{"Rq", "9f"}, {"Rc", "5p"}});
        FakeShell shell;
        ClickTopOf(state, shell, 0);
        ClickSlot(state, shell, state.table.Cells[0]);
        QVERIFY(state.flags.UndoEnabled);
        const Table afterMove = state.table;

        ClickTopOf(state, shell, 1);
        ClickTopOf(state, shell, 1);
        QVERIFY(state.flags.UndoAvailable && !state.flags.UndoEnabled);
        UndoBtn1Click(state, shell);
        QVERIFY(state.flags.UndoAvailable);
        // Even taken directly, undo now restores the put-back position, not
        // the one before the move.
        MoveUndo1Click(state, shell);
        QVERIFY(TableOf(state) == afterMove);
        QVERIFY(!state.flags.UndoAvailable);
    }

    void nothingToUndoOutsideAGame()
    {
        GameState state = Game({{"Rq", "9f"}});
        FakeShell shell;
        ClickTopOf(state, shell, 0);
        ClickSlot(state, shell, state.table.Cells[0]);
        const Table afterMove = state.table;
        state.flags.GameInProgress = false;
        UndoBtn1Click(state, shell);
        MoveUndo1Click(state, shell);
        QVERIFY(TableOf(state) == afterMove);
        QVERIFY(state.flags.UndoAvailable && state.flags.UndoEnabled);
    }
};

QTEST_GUILESS_MAIN(TestUndo)
#include "test_undo.moc"
