#include <QTest>

#include "core/rules.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

namespace {

// Fills every free cell and column with cards that play no part, so a test
// starts from capacity 1.
GameState CrowdedState()
{
    GameState state = MakeState();
    const char *filler[] = {"Rc", "Rq", "Rp", "Rf", "Dc", "Dq", "Dp", "Df"};
    for (int c = 0; c < ColumnCount; ++c)
        SetColumn(state, c, {filler[c]});
    for (int i = 0; i < CellCount; ++i)
        SetCell(state, i, filler[i]);
    return state;
}

MoveSource TopOf(const GameState &state, int column)
{
    const int slot = TopSlot(state.table.Columns[column]).value();
    return {FromColumn, column, slot, state.table.Columns[column].Card[slot]};
}

struct Recorder : CountObserver {
    QStringList events;
    void stepBegun(CountStep step, CardCode held) override
    {
        events << QStringLiteral("begin %1 %2").arg(int(step)).arg(CardText(held));
    }
    void cardExamined(int m, CardCode card) override
    {
        events << QStringLiteral("card %1 %2").arg(m).arg(CardText(card));
    }
    void runBroken(int m) override { events << QStringLiteral("broken %1").arg(m); }
    void cardFits(int m) override { events << QStringLiteral("fits %1").arg(m); }
    void countFinished(CountStep step, int count) override
    {
        events << QStringLiteral("end %1 %2").arg(int(step)).arg(count);
    }
};

} // namespace

class TestRules : public QObject {
    Q_OBJECT
private slots:
    void fitsOn()
    {
        QVERIFY(FitsOn(Card("8c"), Card("9p")));
        QVERIFY(FitsOn(Card("Aq"), Card("2f")));
        QVERIFY(!FitsOn(Card("8c"), Card("9q")));   // same colour
        QVERIFY(!FitsOn(Card("7c"), Card("9p")));   // two ranks apart
        QVERIFY(!FitsOn(Card("9p"), Card("8c")));   // wrong direction
        // A king fits on nothing.
        for (int b = 0; b < DeckSize; ++b)
            QVERIFY(!FitsOn(Card("Rc"), b));
    }

    void foundationRule()
    {
        GameState state = MakeState();
        const PileSuitOrder order{2, 0, 3, 1};
        // An empty pile takes only the ace of its own suit.
        for (int p = 0; p < PileCount; ++p)
            for (int suit = 0; suit < 4; ++suit)
                QCOMPARE(CanGoToFoundation(state.table, order, p, MakeCard(0, suit)), suit == order[p]);
        QVERIFY(!CanGoToFoundation(state.table, order, 0, Card("2p")));

        SetPile(state, 0, "4p");
        QVERIFY(CanGoToFoundation(state.table, order, 0, Card("5p")));
        QVERIFY(!CanGoToFoundation(state.table, order, 0, Card("6p")));
        QVERIFY(!CanGoToFoundation(state.table, order, 0, Card("5f")));
        QVERIFY(!CanGoToFoundation(state.table, order, 0, Card("4p")));
        SetPile(state, 1, "Rc");
        for (int card = 0; card < DeckSize; ++card)
            QVERIFY(!CanGoToFoundation(state.table, order, 1, card));
    }

    void capacity()
    {
        GameState state = CrowdedState();
        QCOMPARE(MoveCapacity(state.table), 1);
        state.table.Cells[0].Occupied = 0;
        state.table.Cells[3].Occupied = 0;
        state.table.Columns[5] = {};
        QCOMPARE(MoveCapacity(state.table), 4);   // one, plus two cells, plus one column: no doubling
        QCOMPARE(EmptyColumnLimit(state.table, 5), 3);
        QCOMPARE(EmptyColumnLimit(state.table, 2), 2);
    }

    void columnCountOntoCards_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("deep fit onto black 9") << "9f" << 4
            << QStringList{"begin 3 5 di Picche", "card 2 6 di Cuori", "card 3 7 di Fiori",
                           "card 4 8 di Quadri", "fits 4", "end 3 4"};
        QTest::newRow("no fit onto red 9") << "9c" << 0
            << QStringList{"begin 3 5 di Picche", "card 2 6 di Cuori", "card 3 7 di Fiori",
                           "card 4 8 di Quadri", "card 5 9 di Picche", "end 3 0"};
        QTest::newRow("top card fits red 6") << "6q" << 1
            << QStringList{"begin 2 5 di Picche", "end 2 1"};
    }
    void columnCountOntoCards()
    {
        QFETCH(QString, target);
        QFETCH(int, count);
        QFETCH(QStringList, events);
        GameState state = MakeState();
        SetColumn(state, 0, {"9p", "8q", "7f", "6c", "5p"});
        SetColumnCards(state, 4, {Card(target.toStdString())});
        Recorder recorder;
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 0), 4, 0, &recorder), count);
        QCOMPARE(recorder.events, events);
        // The same count without anyone watching.
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 0), 4, 0), count);
    }

    void brokenRunStopsTheWalk()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"9c", "8q", "7f", "6c", "5p"});   // 8q on 9c: same colour
        SetColumn(state, 4, {"9f"});
        Recorder recorder;
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 0), 4, 0, &recorder), 4);
        SetColumn(state, 4, {"10p"});
        recorder.events.clear();
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 0), 4, 0, &recorder), 0);
        QCOMPARE(recorder.events.mid(4, 2), (QStringList{"card 5 9 di Cuori", "broken 5"}));
    }

    void columnCountTowardEmptyColumn()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"9p", "8q", "7f", "6c", "5p"});
        Recorder recorder;
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 0), 3, EmptyColumnSlot, &recorder), 5);
        QCOMPARE(recorder.events.first(), QStringLiteral("begin 6 5 di Picche"));
        QCOMPARE(recorder.events.last(), QStringLiteral("end 6 5"));

        // The run ends at the first card out of order, which is still examined.
        SetColumn(state, 1, {"Rc", "8q", "7f", "6c"});
        recorder.events.clear();
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 1), 3, EmptyColumnSlot, &recorder), 3);
        QCOMPARE(recorder.events.mid(1), (QStringList{"card 2 7 di Fiori", "card 3 8 di Quadri",
                                                      "card 4 Re di Cuori", "end 6 3"}));

        // Alone in its column, or from a free cell: one card.
        SetColumn(state, 2, {"4f"});
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 2), 3, EmptyColumnSlot), 1);
        SetCell(state, 0, "Rp");
        QCOMPARE(ColumnMoveCount(state.table, {FromCell, 0, 0, Card("Rp")}, 3, EmptyColumnSlot), 1);

        // The run of five toward the only empty column with one empty free cell: two may go.
        GameState crowded = CrowdedState();
        SetColumn(crowded, 0, {"9p", "8q", "7f", "6c", "5p"});
        crowded.table.Columns[7] = {};
        crowded.table.Cells[1].Occupied = 0;
        const int n = ColumnMoveCount(crowded.table, TopOf(crowded, 0), 7, EmptyColumnSlot);
        QCOMPARE(n, 5);
        QCOMPARE(EmptyColumnLimit(crowded.table, n), 2);
    }

    void freeCellAndLoneCardCounts()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"9p"});
        SetColumn(state, 1, {"10c", "9f"});
        SetCell(state, 0, "8q");
        const MoveSource cell{FromCell, 0, 0, Card("8q")};
        QCOMPARE(ColumnMoveCount(state.table, cell, 0, 0), 1);     // fits on the black 9
        QCOMPARE(ColumnMoveCount(state.table, cell, 1, 1), 1);
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 0), 1, 1), 0);   // 9 on 9: no
        SetColumn(state, 2, {"10q"});
        QCOMPARE(ColumnMoveCount(state.table, TopOf(state, 0), 2, 0), 1);   // alone, fits
    }

    void roomInTheDestination()
    {
        QVERIFY(ColumnHasRoom(16, 1));
        QVERIFY(!ColumnHasRoom(17, 1));
        QVERIFY(!ColumnHasRoom(16, 2));
        QVERIFY(ColumnHasRoom(13, 4));
        QVERIFY(!ColumnHasRoom(14, 4));
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "test_rules.moc"
