#include <QTest>

#include <algorithm>

#include "core/deal.h"
#include "core/gamestate.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

class TestDeal : public QObject {
    Q_OBJECT
private slots:
    void generatorSequence()
    {
        RandomGenerator random;
        random.SeedRandom(0);
        QCOMPARE(random.NextRandom(), 0);
        // state 1 -> 22695478 -> its high half
        QCOMPARE(random.NextRandom(), int((22695478u >> 16) & 0x7FFF));
    }

    void decks_data()
    {
        QTest::addColumn<uint>("seed");
        QTest::addColumn<QList<int>>("first");
        QTest::addColumn<QList<int>>("last");
        QTest::newRow("seed 0") << 0u << QList<int>{0, 7, 18, 24} << QList<int>{28, 21, 9, 39};
        QTest::newRow("seed 1") << 1u << QList<int>{34, 10, 26, 48} << QList<int>{17, 4, 21, 43};
    }
    void decks()
    {
        QFETCH(uint, seed);
        QFETCH(QList<int>, first);
        QFETCH(QList<int>, last);
        GameState state = MakeState();
        ShuffleAndDeal(state, seed);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(state.deal.Deck[i], first[i]);
            QCOMPARE(state.deal.Deck[48 + i], last[i]);
        }
        // Row 0 holds the first cards, row 6 the last four in columns 0..3.
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(state.table.Columns[i].Card[0], first[i]);
            QCOMPARE(state.table.Columns[i].Card[6], last[i]);
        }
        std::array<CardCode, DeckSize> sorted = state.deal.Deck;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < DeckSize; ++i)
            QCOMPARE(sorted[i], i);
    }

    void dealShape()
    {
        for (uint seed : {0u, 1u, 12345u, 4294967295u}) {
            GameState state = MakeState();
            ShuffleAndDeal(state, seed);
            QVERIFY(state.flags.GameInProgress);
            QVERIFY(state.flags.DeckDealt);
            QCOMPARE(state.table.CardsLeft, 52);
            for (int c = 0; c < ColumnCount; ++c)
                QCOMPARE(TopSlot(state.table.Columns[c]).value(), c < 4 ? 6 : 5);
            QCOMPARE(CountEmptyCells(state.table), 4);
            for (const SlotRecord &pile : state.table.Foundations)
                QCOMPARE(int(pile.Occupied), 0);
        }
    }

    void dealGeometry_data()
    {
        QTest::addColumn<int>("spacing");
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("columnStep");
        QTest::addColumn<int>("firstRow");
        QTest::newRow("small cards, spacing 12") << 12 << true << 84 << 112;
        QTest::newRow("small cards, spacing 6") << 6 << true << 78 << 112;
        QTest::newRow("large cards, spacing 12") << 12 << false << 154 << 208;
    }
    void dealGeometry()
    {
        QFETCH(int, spacing);
        QFETCH(bool, small);
        QFETCH(int, columnStep);
        QFETCH(int, firstRow);
        GameState state = MakeState(1024, small, 12);
        state.Settings.ColumnSpacing = spacing;  // taken at the deal
        ShuffleAndDeal(state, 7);
        // Every slot has its place from the deal on, so moves only move cards.
        for (int c = 0; c < ColumnCount; ++c) {
            for (int r = 0; r < SlotCount; ++r) {
                QCOMPARE(state.table.Columns[c].X[r], 7 + columnStep * c);
                QCOMPARE(state.table.Columns[c].Y[r], firstRow + 18 * r);
                if (r <= TopSlot(state.table.Columns[c]).value())
                    QCOMPARE(state.table.Columns[c].DrawMode[r], int(DrawNormal));
            }
        }
        QCOMPARE(state.deal.ColumnGap, spacing);
    }

    // What the player types as a deal's number: the whole range of seeds,
    // blanks around it, and three kinds of refusal, each with its message.
    void dealNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("number");   // -1: refused
        QTest::addColumn<QString>("message");
        const QString empty = QStringLiteral("Scrivi il numero");
        const QString digits = QStringLiteral("Il numero della partita si scrive con le sole cifre");
        const QString large = QStringLiteral("Il numero è troppo grande");
        QTest::newRow("zero") << "0" << qint64(0) << QString();
        QTest::newRow("blanks around") << " 1765200000\t" << qint64(1765200000) << QString();
        QTest::newRow("last") << "4294967295" << qint64(4294967295) << QString();
        QTest::newRow("leading zeros") << "0004294967295" << qint64(4294967295) << QString();
        QTest::newRow("empty") << "" << qint64(-1) << empty;
        QTest::newRow("blanks only") << "   " << qint64(-1) << empty;
        QTest::newRow("letters") << "12a" << qint64(-1) << digits;
        QTest::newRow("sign") << "-1" << qint64(-1) << digits;
        QTest::newRow("inner blank") << "12 34" << qint64(-1) << digits;
        QTest::newRow("other digits") << QStringLiteral("\u0661\u0662") << qint64(-1) << digits;
        QTest::newRow("one past the last") << "4294967296" << qint64(-1) << large;
        QTest::newRow("twenty digits") << "18446744073709551617" << qint64(-1) << large;
    }
    void dealNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, number);
        QFETCH(QString, message);
        QString error;
        const std::optional<std::uint32_t> parsed = ParseDealNumber(typed, error);
        QCOMPARE(parsed.has_value(), number >= 0);
        if (parsed)
            QCOMPARE(qint64(*parsed), number);
        else
            QVERIFY2(error.startsWith(message) && error.endsWith(QStringLiteral("da 0 a 4294967295.")), qPrintable(error));
    }
};

QTEST_APPLESS_MAIN(TestDeal)
#include "test_deal.moc"
