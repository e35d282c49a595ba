#include <QTest>

#include "core/gamestate.h"
#include "core/table.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

class TestTable : public QObject {
    Q_OBJECT
private slots:
    void cardNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("ace of hearts") << 0 << "Asso di Cuori";
        QTest::newRow("king of clubs") << 51 << "Re di Fiori";
        QTest::newRow("jack of spades") << 42 << "Fante di Picche";
        QTest::newRow("queen of diamonds") << 45 << "Donna di Quadri";
        QTest::newRow("ten of clubs") << 39 << "10 di Fiori";
    }
    void cardNames()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(CardText(code), text);
        QCOMPARE(CardName(code).rank + " di " + CardName(code).suit, text);
    }

    void colourGroups()
    {
        QCOMPARE(Colour(Card("5c")), 1);
        QCOMPARE(Colour(Card("5q")), 1);
        QCOMPARE(Colour(Card("5p")), 2);
        QCOMPARE(Colour(Card("5f")), 2);
        QCOMPARE(SuitName(4), QStringLiteral("nessuna"));
    }

    void resetEmptiesTheTableAndPlacesThePiles()
    {
        GameState state = MakeState();
        SetColumn(state, 3, {"9p", "8c"});
        SetCell(state, 2, "Rf");
        SetPile(state, 1, "3q");
        state.held.PickedFrom = FromColumn;
        state.paint.ColumnDirty.fill(false);
        ResetTable(state);

        for (int c = 0; c < ColumnCount; ++c)
            QVERIFY(!TopSlot(state.table.Columns[c]).has_value());
        QCOMPARE(CountEmptyCells(state.table), 4);
        QCOMPARE(CountEmptyColumns(state.table), 8);
        QCOMPARE(state.held.PickedFrom, int(FromNothing));
        for (bool dirty : state.paint.ColumnDirty)
            QVERIFY(dirty);
        for (const auto &rank : state.table.CardsHome)
            for (auto flag : rank)
                QCOMPARE(int(flag), 0);
        const int cellX[] = {9, 81, 153, 225};
        const int pileX[] = {376, 448, 520, 592};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(state.table.Cells[i].X, cellX[i]);
            QCOMPARE(state.table.Cells[i].Y, 9);
            QCOMPARE(state.table.Foundations[i].X, pileX[i]);
            QCOMPARE(state.table.Foundations[i].Y, 9);
            QCOMPARE(int(state.table.Foundations[i].Occupied), 0);
        }
    }

    void topSlotIgnoresLeftoverDrawModes()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"Rc", "Dp", "Fc", "10p", "9c", "8p"});
        QCOMPARE(TopSlot(state.table.Columns[0]).value(), 5);
        state.table.Columns[1].DrawMode.fill(DrawBlank);
        QVERIFY(!TopSlot(state.table.Columns[1]).has_value());
    }

    void emptyPileImagesFollowTheSuitOrder()
    {
        const PileSuitOrder order{2, 0, 3, 1};
        const int expected[] = {55, 53, 56, 54};
        for (int p = 0; p < PileCount; ++p)
            QCOMPARE(EmptyPileImage(order[p]), expected[p]);
    }

    void snapshotCopiesTheWholePosition()
    {
        GameState state = MakeState();
        SetColumn(state, 2, {"7c", "6p"});
        SetCell(state, 0, "3f");
        SetPile(state, 0, "2c");
        state.table.FoundationLevel = 2;
        TakeSnapshot(state);
        QVERIFY(state.flags.UndoAvailable);
        QVERIFY(!state.flags.UndoEnabled);
        QCOMPARE(state.undo.Columns, state.table.Columns);
        QCOMPARE(state.undo.Cells, state.table.Cells);
        QCOMPARE(state.undo.Foundations, state.table.Foundations);
        QCOMPARE(state.undo.CardsHome, state.table.CardsHome);
        QCOMPARE(state.undo.CardsLeft, state.table.CardsLeft);
        QCOMPARE(state.undo.FoundationLevel, 2);
    }
};

QTEST_APPLESS_MAIN(TestTable)
#include "test_table.moc"
