#include <QTest>

#include "core/automove.h"
#include "core/gamestate.h"
#include "support/fakeshell.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

class TestAutoMove : public QObject {
    Q_OBJECT
private slots:
    void aceFliesToItsOwnPile()
    {
        GameState state = MakeState();
        state.deal.GamePileSuit = {1, 3, 2, 0};
        state.Settings.TransferInfo = true;
        SetColumn(state, 2, {"9c", "Ap"});
        FakeShell shell;
        AutoMoveToFoundation(state, shell);
        QCOMPARE(int(state.table.Foundations[2].Occupied), 1);
        QCOMPARE(state.table.Foundations[2].Card, Card("Ap"));
        QCOMPARE(shell.status[2], QStringLiteral("Autom. -> Fila 3: Asso di Picche"));
        QCOMPARE(TopSlot(state.table.Columns[2]).value(), 0);
        QCOMPARE(state.table.Columns[2].DrawMode[1], int(DrawBlank));
        QCOMPARE(state.table.CardsLeft, 51);
        QCOMPARE(int(state.table.CardsHome[0][2]), 1);
        QVERIFY(state.panels.PanelNeedsRedraw);
        QCOMPARE(shell.flights.size(), std::size_t(1));
        const Flight &f = shell.flights[0];
        QCOMPARE(f.fromX, state.table.Columns[2].X[1]);
        QCOMPARE(f.fromY, state.table.Columns[2].Y[1]);
        QCOMPARE(f.toX, state.table.Foundations[2].X);
        QCOMPARE(f.toY, state.table.Foundations[2].Y);
    }

    void levelRulesWhichCardGoes()
    {
        GameState state = MakeState();
        SetPile(state, 0, "Ac");
        SetColumn(state, 0, {"Rp", "3c"});   // a three waits for all twos
        SetColumn(state, 1, {"Rf", "2c"});   // a two goes once its ace is home
        FakeShell shell;
        AutoMoveToFoundation(state, shell);
        QCOMPARE(state.table.Foundations[0].Card, Card("2c"));
        QCOMPARE(state.table.FoundationLevel, 1);
        AutoMoveToFoundation(state, shell);
        QCOMPARE(state.table.Foundations[0].Card, Card("2c"));   // the three stays
        QCOMPARE(TopSlot(state.table.Columns[0]).value(), 1);

        // Once all four twos are home the three goes, in a later pass.
        SetPile(state, 1, "2q");
        SetPile(state, 2, "2p");
        SetPile(state, 3, "2f");
        state.table.CardsHome[0][0] = state.table.CardsHome[1][0] = 1;
        shell.status[1].clear();
        AutoMoveToFoundation(state, shell);
        QCOMPARE(state.table.FoundationLevel, 2);
        QCOMPARE(state.table.Foundations[0].Card, Card("3c"));
        QCOMPARE(shell.status[1], QStringLiteral(" Livello raggiunto: 2"));
    }

    void freeCellCardsNeedTheLevelsRank()
    {
        GameState state = MakeState();
        SetCell(state, 0, "Aq");
        SetCell(state, 1, "2c");
        FakeShell shell;
        AutoMoveToFoundation(state, shell);
        QCOMPARE(int(state.table.Foundations[1].Occupied), 0);   // the ace in a cell stays
        SetPile(state, 0, "Ac");
        AutoMoveToFoundation(state, shell);
        QCOMPARE(state.table.Foundations[0].Card, Card("2c"));
        QCOMPARE(int(state.table.Cells[1].Occupied), 0);
        QCOMPARE(state.table.Cells[1].DrawMode, int(DrawBlank));
    }

    void leftmostColumnFirst()
    {
        GameState state = MakeState();
        SetColumn(state, 5, {"Aq"});
        SetColumn(state, 2, {"Af"});
        FakeShell shell;
        AutoMoveToFoundation(state, shell);
        QCOMPARE(int(state.table.Foundations[3].Occupied), 1);
        QCOMPARE(int(state.table.Foundations[1].Occupied), 0);
        AutoMoveToFoundation(state, shell);
        QCOMPARE(int(state.table.Foundations[1].Occupied), 1);
    }

    void columnCardIsPaintedAwayBeforeItCounts()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"Ac"});
        SetCell(state, 0, "2c");
        FakeShell shell;
        std::vector<int> cardsLeftAtPaint;
        shell.onRepaint = [&](PaintSender) { cardsLeftAtPaint.push_back(state.table.CardsLeft); };
        AutoMoveToFoundation(state, shell);   // from a column: painted while still counted
        AutoMoveToFoundation(state, shell);   // from a cell: counted, then painted
        QCOMPARE(cardsLeftAtPaint, (std::vector<int>{52, 50}));
        QVERIFY(state.paint.ColumnDirty[0]);
    }

    void detailsPanelRunsOutOfRoom()
    {
        for (bool details : {true, false}) {
            GameState state = MakeState(800);
            state.Settings.TransferDetails = details;
            state.flags.DetailsShown = details;
            SetColumn(state, 3, {"Rc", "Dp", "Fc", "10p", "9c", "8p", "7c", "6p", "5c", "4p"});
            FakeShell shell;
            AutoMoveToFoundation(state, shell);
            QCOMPARE(state.flags.DeepestTop, 9);
            QCOMPARE(state.flags.DetailsShown, false);
            QCOMPARE(shell.status[0], details ? QStringLiteral(" Mancanza di spazio per dettagli.") : QString());
        }
        // The wide screen has room for the deepest column.
        GameState wide = MakeState(1024);
        wide.Settings.TransferDetails = wide.flags.DetailsShown = true;
        SetColumn(wide, 0, {"Rc", "Dp", "Fc", "10p", "9c", "8p", "7c", "6p", "5c", "4p", "3c", "2p"});
        FakeShell shell;
        AutoMoveToFoundation(wide, shell);
        QVERIFY(wide.flags.DetailsShown);
    }

    void nothingWhileACardIsHeld()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"Ac"});
        state.held.PickedFrom = FromColumn;
        FakeShell shell;
        AutoMoveToFoundation(state, shell);
        QCOMPARE(int(state.table.Foundations[0].Occupied), 0);
    }

    void lastKingCompletesTheGame()
    {
        GameState state = MakeState();
        SetPile(state, 0, "Rc");
        SetPile(state, 1, "Rq");
        SetPile(state, 2, "Rp");
        SetPile(state, 3, "Df");
        SetColumn(state, 0, {"Rf"});
        for (int r = 0; r < 12; ++r)
            state.table.CardsHome[r][4] = 1;
        state.table.FoundationLevel = 12;
        FakeShell shell;
        AutoMoveToFoundation(state, shell);
        QCOMPARE(state.table.CardsLeft, 0);
        QCOMPARE(state.table.FoundationLevel, 12);
        AutoMoveToFoundation(state, shell);
        QCOMPARE(state.table.FoundationLevel, 13);
        QCOMPARE(shell.status[1], QStringLiteral(" Livello raggiunto: Re"));
        QCOMPARE(shell.flights.size(), std::size_t(1));
    }

    void undoneCompletionIsWrittenAgain()
    {
        Table table;
        for (int s = 0; s < 4; ++s)
            table.CardsHome[0][s] = 1;
        QCOMPARE(UpdateFoundationLevel(table).completedRanks, std::uint16_t(1));
        QCOMPARE(UpdateFoundationLevel(table).completedRanks, std::uint16_t(0));
        table.CardsHome[0][4] = 0;   // as an undo would restore it
        QCOMPARE(UpdateFoundationLevel(table).completedRanks, std::uint16_t(1));
    }

    void runAutoMovesPlaysTheCascade()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"2c", "Aq"});
        SetColumn(state, 1, {"2q", "Ac"});
        QCOMPARE(RunAutoMoves(state.table, state.deal.GamePileSuit), 4);
        QCOMPARE(state.table.CardsLeft, 48);
        QCOMPARE(CountEmptyColumns(state.table), 8);
    }
};

QTEST_APPLESS_MAIN(TestAutoMove)
#include "test_automove.moc"
