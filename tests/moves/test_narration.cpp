#include <QTest>

#include <optional>

#include "moves/narration.h"
#include "support/tablebuilder.h"
#include "table/detailspanel.h"

using namespace quintara;
using namespace quintara::test;

namespace {

const QString Leader = QStringLiteral(" . . . . . . . . . . . . . . . . . . . . . . . . . ");

QString ColourName(Rgb c)
{
    if (c == details_panel::Aqua)
        return QStringLiteral("aqua");
    if (c == details_panel::White)
        return QStringLiteral("white");
    if (c == details_panel::Lime)
        return QStringLiteral("lime");
    if (c == details_panel::Yellow)
        return QStringLiteral("yellow");
    return QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue);
}

// "x,y font colour[_ if underlined] text", "clear" or "show", as the panel
// places and dresses each text.
QString Encode(const DetailsDraw &d, const TableLayout &layout)
{
    switch (d.kind) {
    case DetailsDraw::Kind::ClearPanel:
        return QStringLiteral("clear");
    case DetailsDraw::Kind::ShowPanel:
        return QStringLiteral("show");
    case DetailsDraw::Kind::Text:
        break;
    }
    const DetailsLook look = LookOf(d.role, d.line, layout);
    const QString family = QString::fromLatin1(look.family);
    const QString font = family == QLatin1String("Courier New")       ? QStringLiteral("C")
                         : family == QLatin1String("Times New Roman") ? QStringLiteral("T")
                                                                      : family;
    return QStringLiteral("%1,%2 %3 %4%5 %6")
        .arg(look.x)
        .arg(look.y)
        .arg(font, ColourName(look.colour), look.underline ? QStringLiteral("_") : QString(),
             d.text == Leader ? QStringLiteral("leader") : d.text);
}

// The source column of the worked examples, a few destinations, and cards
// to hold from elsewhere.
GameState Position()
{
    GameState state = MakeState();
    SetColumn(state, 0, {"9p", "8q", "7f", "6c", "5p"});
    SetColumn(state, 1, {"9f"});
    SetColumn(state, 2, {"Rf", "9c"});
    // column 3 stays empty
    SetColumn(state, 4, {"6q"});
    SetColumn(state, 5, {"9c", "8q", "7f", "6c", "5p"});   // 8q on 9c: same colour
    SetColumn(state, 6, {"10p"});
    SetColumn(state, 7, {"8q"});
    SetCell(state, 0, "8c");
    state.flags.DetailsShown = true;
    state.panels.DetailsHeaderDue = true;
    return state;
}

MoveSource FromColumnTop(const GameState &state, int column)
{
    const int slot = TopSlot(state.table.Columns[column]).value();
    return {FromColumn, column, slot, state.table.Columns[column].Card[slot]};
}

MoveSource FromCellCard(const GameState &state, int cell)
{
    return {FromCell, cell, 0, state.table.Cells[cell].Card};
}

// A narrator writing into a list, with the panel's clearing done as the
// window's ClearDetailsPanel does it.
struct Narration {
    explicit Narration(GameState &s) : state(s) {}

    GameState &state;
    QStringList ops;
    MoveNarrator narrator{state, [this](const DetailsDraw &d) {
                              if (d.kind == DetailsDraw::Kind::ClearPanel)
                                  state.panels.DetailsHeaderDue = false;
                              ops << Encode(d, state.Layout);
                          }};

    int count(const MoveSource &source, int column)
    {
        const std::optional<int> top = TopSlot(state.table.Columns[column]);
        const int destSlot = top ? *top : EmptyColumnSlot;
        ops.clear();
        return ColumnMoveCount(state.table, source, column, destSlot, &narrator);
    }

    // The count's own lines as "y text", leaders left out.
    QStringList rightLines() const
    {
        QStringList lines;
        for (const QString &op : ops) {
            if (op.startsWith(QLatin1String("366,")) && !op.startsWith(QLatin1String("366,4 "))
                && !op.endsWith(QLatin1String(" leader"))) {
                // Anything but plain white Times shows in full and fails the comparison.
                if (op.section(QLatin1Char(' '), 1, 2) != QLatin1String("T white"))
                    lines << op;
                else
                    lines << op.section(QLatin1Char(' '), 0, 0).mid(4) + QLatin1Char(' ')
                                 + op.section(QLatin1Char(' '), 3);
            }
        }
        return lines;
    }

    // "colour text" of the result line.
    QString verdict() const
    {
        QStringList found;
        for (const QString &op : ops)
            if (op.startsWith(QLatin1String("6,110 C ")))
                found << op.section(QLatin1Char(' '), 2);
        return found.size() == 1 ? found.first() : found.join(QLatin1String(" | "));
    }

    bool headerDrawn() const { return ops.contains(QStringLiteral("clear")); }
};

} // namespace

class TestNarration : public QObject {
    Q_OBJECT
private slots:
    void runOntoBlackNine()
    {
        GameState state = Position();
        Narration n(state);
        QCOMPARE(n.count(FromColumnTop(state, 0), 1), 4);
        const QStringList expected{
            "clear",
            "6,4 C aqua_ Spostamento della carta",
            "366,4 C aqua_ Dettagli della ricerca",
            "6,88 C aqua_ Risultati avuti all'arrivo",
            "6,26 C white Partenza selezionata:  5 di Picche",
            "6,46 C white Arrivo selezionato:    9 di Fiori",
            "6,66 C white Arrivo: colonna numero 2",
            "show",
            "366,26 T white La prima carta selezionata è: 5 di Picche",
            "366,42 T white La prima carta non è compatibile.",
            "366,58 T white leader",
            "366,58 T white Carta numero 2 è: 6 di Cuori",
            "show",
            "366,74 T white leader",
            "366,74 T white Carta numero 3 è: 7 di Fiori",
            "show",
            "366,90 T white leader",
            "366,90 T white Carta numero 4 è: 8 di Quadri",
            "show",
            "366,106 T white La carta 4 può essere spostata.",
            "6,110 C lime 4 carte possono essere spostate subito.",
            "show",
        };
        QCOMPARE(n.ops, expected);
        QCOMPARE(state.panels.DetailsLastTarget, Card("9f"));
        QCOMPARE(state.panels.DetailsLastColumn, 1);
        QVERIFY(!state.panels.DetailsHeaderDue);
    }

    void linesAndVerdicts_data()
    {
        QTest::addColumn<int>("cell");      // the held card's free cell, or -1
        QTest::addColumn<int>("source");    // else its column
        QTest::addColumn<int>("target");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("verdict");

        const QString one = QStringLiteral("lime Pronto per lo spostamento di una sola carta.");
        const QString elsewhere = QStringLiteral("yellow Prova un'altra destinazione.");
        const QString first5p = QStringLiteral("26 La prima carta selezionata è: 5 di Picche");
        const QString mismatch = QStringLiteral("42 La prima carta non è compatibile.");

        QTest::newRow("free cell fits") << 0 << -1 << 1 << QStringList{} << one;
        QTest::newRow("free cell refused") << 0 << -1 << 2 << QStringList{} << elsewhere;
        QTest::newRow("alone in its column") << -1 << 7 << 1 << QStringList{} << one;
        QTest::newRow("top card fits") << -1 << 0 << 4 << QStringList{first5p}
                                       << "lime La carta scelta può essere spostata.";
        QTest::newRow("run onto red 9")
            << -1 << 0 << 2
            << QStringList{first5p, mismatch, "58 Carta numero 2 è: 6 di Cuori", "74 Carta numero 3 è: 7 di Fiori",
                           "90 Carta numero 4 è: 8 di Quadri", "106 Carta numero 5 è: 9 di Picche"}
            << elsewhere;
        QTest::newRow("broken run")
            << -1 << 5 << 6
            << QStringList{first5p, mismatch, "58 Carta numero 2 è: 6 di Cuori", "74 Carta numero 3 è: 7 di Fiori",
                           "90 Carta numero 4 è: 8 di Quadri", "106 Carta numero 5 è: 9 di Cuori",
                           "122 La carta 5 non è impilabile con la carta precedente."}
            << elsewhere;
        QTest::newRow("free cell into empty") << 0 << -1 << 3 << QStringList{} << one;
        QTest::newRow("alone into empty") << -1 << 7 << 3
                                          << QStringList{"26 La prima carta selezionata è: 8 di Quadri"} << one;
        // Whatever the capacity: it is applied only at the drop.
        QTest::newRow("run into empty")
            << -1 << 0 << 3
            << QStringList{first5p, "42 Carta numero 2 è: 6 di Cuori", "58 Carta numero 3 è: 7 di Fiori",
                           "74 Carta numero 4 è: 8 di Quadri", "90 Carta numero 5 è: 9 di Picche"}
            << "lime Trasferimento di 5 carte dalla tavola.";
        // The card that ends the run is listed although it does not move.
        QTest::newRow("broken run into empty")
            << -1 << 5 << 3
            << QStringList{first5p, "42 Carta numero 2 è: 6 di Cuori", "58 Carta numero 3 è: 7 di Fiori",
                           "74 Carta numero 4 è: 8 di Quadri", "90 Carta numero 5 è: 9 di Cuori"}
            << "lime Trasferimento di 4 carte dalla tavola.";
        QTest::newRow("no run into empty")
            << -1 << 2 << 3
            << QStringList{"26 La prima carta selezionata è: 9 di Cuori", "42 Carta numero 2 è: Re di Fiori"} << one;
    }
    void linesAndVerdicts()
    {
        QFETCH(int, cell);
        QFETCH(int, source);
        QFETCH(int, target);
        QFETCH(QStringList, lines);
        QFETCH(QString, verdict);
        GameState state = Position();
        Narration n(state);
        const MoveSource from = cell >= 0 ? FromCellCard(state, cell) : FromColumnTop(state, source);
        n.count(from, target);
        QCOMPARE(n.rightLines(), lines);
        QCOMPARE(n.verdict(), verdict);
        // The panel is shown once for the header, once per examined card and once for the verdict.
        int examined = 0;
        for (const QString &op : n.ops)
            examined += op.endsWith(QLatin1String(" leader")) ? 1 : 0;
        QCOMPARE(n.ops.count(QStringLiteral("show")), 2 + examined);
        QCOMPARE(n.ops.last(), QStringLiteral("show"));
    }

    void longWalkWritesOverItsLastLine_data()
    {
        QTest::addColumn<int>("lineLimit");
        QTest::addColumn<QStringList>("tail");
        QTest::newRow("800 pixels") << 5 << QStringList{"106 Carta numero 6 è: Fante di Picche",
                                                        "122 Carta numero 7 è: Donna di Cuori",
                                                        "122 Carta numero 8 è: Re di Fiori"};
        QTest::newRow("1024 pixels") << 14 << QStringList{"106 Carta numero 6 è: Fante di Picche",
                                                          "122 Carta numero 7 è: Donna di Cuori",
                                                          "138 Carta numero 8 è: Re di Fiori"};
    }
    void longWalkWritesOverItsLastLine()
    {
        QFETCH(int, lineLimit);
        QFETCH(QStringList, tail);
        GameState state = Position();
        state.Layout.panel.DetailsLineLimit = lineLimit;
        SetColumn(state, 0, {"Rf", "Dc", "Fp", "10q", "9f", "8c", "7p", "6q"});
        Narration n(state);
        QCOMPARE(n.count(FromColumnTop(state, 0), 3), 8);
        const QStringList lines = n.rightLines();
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines.mid(1, 4), (QStringList{"42 Carta numero 2 è: 7 di Picche", "58 Carta numero 3 è: 8 di Cuori",
                                               "74 Carta numero 4 è: 9 di Fiori", "90 Carta numero 5 è: 10 di Quadri"}));
        QCOMPARE(lines.mid(5), tail);
        QCOMPARE(n.verdict(), QStringLiteral("lime Trasferimento di 8 carte dalla tavola."));
    }

    void headerFollowsTheDestination()
    {
        GameState state = Position();
        Narration n(state);
        const MoveSource held = FromColumnTop(state, 0);

        n.count(held, 1);
        QVERIFY(n.headerDrawn());
        // The same destination within one hold keeps its header.
        n.count(held, 1);
        QVERIFY(!n.headerDrawn());
        QCOMPARE(n.ops.first(), QStringLiteral("366,26 T white La prima carta selezionata è: 5 di Picche"));
        // Another destination card.
        n.count(held, 2);
        QVERIFY(n.headerDrawn());
        QVERIFY(n.ops.contains(QStringLiteral("6,46 C white Arrivo selezionato:    9 di Cuori")));
        // A fresh pick-up over the same destination.
        state.panels.DetailsHeaderDue = true;
        n.count(held, 2);
        QVERIFY(n.headerDrawn());
        QVERIFY(!state.panels.DetailsHeaderDue);

        // Two empty columns share the destination card, not the column number.
        state.table.Columns[6] = {};
        n.count(held, 3);
        QVERIFY(n.headerDrawn());
        QVERIFY(n.ops.contains(QStringLiteral("6,46 C white Arrivo selezionato:  nessuno, colonna vuota")));
        QVERIFY(n.ops.contains(QStringLiteral("6,66 C white Arrivo: colonna numero 4")));
        QCOMPARE(state.panels.DetailsLastTarget, NoTargetCard);
        n.count(held, 6);
        QVERIFY(n.headerDrawn());
        QVERIFY(n.ops.contains(QStringLiteral("6,66 C white Arrivo: colonna numero 7")));
        n.count(held, 6);
        QVERIFY(!n.headerDrawn());
    }
};

QTEST_GUILESS_MAIN(TestNarration)
#include "test_narration.moc"
