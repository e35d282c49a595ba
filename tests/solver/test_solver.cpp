#include <QTest>

#include <chrono>
#include <csignal>
#include <thread>

#include <unistd.h>

#include <algorithm>

#include "core/automove.h"
#include "core/deal.h"
#include "solver/hintsearch.h"
#include "solver/positionkey.h"
#include "solver/solvecommand.h"
#include "solver/solver.h"
#include "support/fakeshell.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

namespace {

const PileSuitOrder DefaultSuits{0, 1, 2, 3};

// Everything home but the queen and king of hearts (the king lying on the
// queen) and the king of spades: one move, the king into a free cell, lets
// the automatic moves finish the game.
GameState OneMoveFromWin()
{
    GameState state = MakeState();
    SetPile(state, 0, "Fc");
    SetPile(state, 1, "Rq");
    SetPile(state, 2, "Dp");
    SetPile(state, 3, "Rf");
    SetColumn(state, 0, {"Dc", "Rc"});
    SetColumn(state, 1, {"Rp"});
    return state;
}

// All 52 cards out, the kings filling the free cells, every ace buried and
// no column empty. The only card that can move is the eight of spades, to and
// fro between the two nines.
GameState DeadEnd()
{
    GameState state = MakeState();
    const char *kings[] = {"Rc", "Rq", "Rp", "Rf"};
    for (int i = 0; i < CellCount; ++i)
        SetCell(state, i, kings[i]);
    const std::vector<std::string_view> tops{"8p", "9q", "Dc", "Dq", "Dp", "Df", "5c", "5q"};
    std::vector<CardCode> rest;
    for (CardCode card = 0; card < DeckSize; ++card) {
        const bool placed = Rank(card) == 12 || card == Card("9c")
            || std::any_of(tops.begin(), tops.end(), [&](std::string_view t) { return Card(t) == card; });
        if (!placed)
            rest.push_back(card);
    }
    // Aces first, so each lies at the bottom of a column.
    std::stable_sort(rest.begin(), rest.end(), [](CardCode a, CardCode b) { return Rank(a) == 0 && Rank(b) != 0; });
    std::size_t next = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        std::vector<CardCode> cards;
        for (int k = 0; k < (c == 0 ? 4 : 5); ++k)
            cards.push_back(rest[next++]);
        if (c == 0)
            cards.push_back(Card("9c"));
        cards.push_back(Card(tops[c]));
        SetColumnCards(state, c, cards);
    }
    return state;
}

GameState Dealt(std::uint32_t seed)
{
    GameState state = MakeState();
    ShuffleAndDeal(state, seed);
    return state;
}

Move ColumnToCell(const Table &table, int column, int cell)
{
    Move move;
    move.from = column;
    move.toKind = Place::Cell;
    move.to = cell;
    move.card = table.Columns[column].Card[TopSlot(table.Columns[column]).value()];
    return move;
}

bool HasMove(const std::vector<Move> &moves, Place to, int count, bool answerYes = false)
{
    return std::any_of(moves.begin(), moves.end(), [&](const Move &m) {
        return m.toKind == to && m.count == count && m.answerYes == answerYes;
    });
}

} // namespace

class TestSolver : public QObject {
    Q_OBJECT
private slots:
    void oneMoveFromWin()
    {
        const GameState state = OneMoveFromWin();
        const SolveResult result = Solve(state.table, DefaultSuits, true);
        QCOMPARE(result.verdict, Verdict::Solved);
        QCOMPARE(result.moves.size(), std::size_t(1));
        QCOMPARE(MoveText(result.moves[0]), QStringLiteral("colonna 1 -> cella 1"));
        QCOMPARE(result.moves[0].card, Card("Rc"));
        QVERIFY(ReplaySolution(state.table, DefaultSuits, true, result.moves).won);

        // The king into the empty column frees the queen too, but the game
        // holds its automatic moves back after such a move.
        Move toEmpty = result.moves[0];
        toEmpty.toKind = Place::Column;
        toEmpty.to = 2;
        Table table = state.table;
        bool hold = true;
        QCOMPARE(PlayMove(table, DefaultSuits, hold, toEmpty), 0);
        QVERIFY(hold);
        QCOMPARE(table.CardsLeft, 3);
    }

    void deadEndSearchedThrough()
    {
        const GameState state = DeadEnd();
        const SolveResult result = Solve(state.table, DefaultSuits, false);
        QCOMPARE(result.verdict, Verdict::Impossible);
        QCOMPARE(result.positions, std::int64_t(2));
        QVERIFY(result.moves.empty());
    }

    void budgetLeavesUndecided()
    {
        const SolveResult result = SolveDeal(0, SolveOptions{5});
        QCOMPARE(result.verdict, Verdict::Undecided);
        QCOMPARE(result.positions, std::int64_t(5));
    }

    // A caller's stop ends the search at once, in every look of the search,
    // and a time limit of nothing leaves a hint undecided.
    void stopEndsTheSearch()
    {
        std::uint32_t seed = 0;
        std::int64_t whole = 0;
        while ((whole = SolveDeal(seed).positions) < 3000)
            ++seed;
        int asked = 0;
        SolveOptions options;
        options.stop = [&] { return ++asked > 0; };
        const SolveResult stopped = SolveDeal(seed, options);
        QCOMPARE(stopped.verdict, Verdict::Undecided);
        QCOMPARE(asked, 1);
        QVERIFY(stopped.positions < whole);

        GameState deal = MakeState();
        ShuffleAndDeal(deal, seed);
        const std::atomic<bool> cancel{false};
        const HintAnswer answer = SearchFrom({deal.table, deal.deal.GamePileSuit, true}, {std::chrono::milliseconds(0), 1'000'000}, cancel);
        QCOMPARE(answer.verdict, Verdict::Undecided);
        QVERIFY(!answer.firstMove);
    }

    void hintTexts_data()
    {
        QTest::addColumn<int>("verdict");
        QTest::addColumn<int>("to");      // place kind * 10 + index
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("question");   // 0 none, 1 answered No, 2 answered Yes
        QTest::addColumn<QString>("text");
        const int solved = int(Verdict::Solved);
        QTest::newRow("to a pile") << solved << 21 << 1 << 0 << "7 di Cuori \u2192 fila 2";
        QTest::newRow("to a cell") << solved << 3 << 1 << 0 << "7 di Cuori \u2192 cella 4";
        QTest::newRow("onto a card") << solved << 12 << 1 << 0 << "7 di Cuori \u2192 colonna 3";
        QTest::newRow("a run") << solved << 17 << 3 << 0 << "7 di Cuori \u2192 colonna 8, 3 carte";
        QTest::newRow("empty, one") << solved << 10 << 1 << 1
                                    << "7 di Cuori \u2192 colonna 1, 1 carta";
        QTest::newRow("empty, run") << solved << 10 << 2 << 2
                                    << "7 di Cuori \u2192 colonna 1, 2 carte";
        QTest::newRow("lost") << int(Verdict::Impossible) << 0 << 0 << 0
                              << "Nessuna mossa vince più.";
        QTest::newRow("no time") << int(Verdict::Undecided) << 0 << 0 << 0
                                 << "Nessuna via trovata in un secondo.";
    }
    void hintTexts()
    {
        QFETCH(int, verdict);
        QFETCH(int, to);
        QFETCH(int, count);
        QFETCH(int, question);
        HintAnswer answer;
        answer.verdict = Verdict(verdict);
        if (count > 0) {
            Move move{Place::Column, 4, Place(to / 10), to % 10, count, Card("7c")};
            move.onto = to == 12 || to == 17 ? Card("8p") : -1;
            move.question = question > 0;
            move.answerYes = question == 2;
            answer.firstMove = move;
        }
        QTEST(HintText(answer, LimitsFor(HintQuestion::NextMove)), "text");
    }

    // "Dove ho sbagliato?" on deal 1: four cells filled by the sixth move
    // leave no way to win; taken back, nothing had lost the game yet.
    void whereTheGameWasLost_data()
    {
        QTest::addColumn<QByteArray>("moves");
        QTest::addColumn<bool>("cramped");   // the search may keep one position
        QTest::addColumn<QString>("text");
        const QByteArray lost = "c8l1 ac8f3 al1f3 c4l1 c4l2 c4c1 c4l3 ac4f1 ac2f1 c7l4";
        QTest::newRow("the sixth move") << lost << false
                                        << "Alla mossa 6, Fante di Cuori -> cella 4: da lì non si poteva più vincere.";
        QTest::newRow("taken back") << lost + " u" << false
                                    << "Da qui si poteva ancora vincere: nessuna mossa aveva perso la partita.";
        QTest::newRow("no room to search") << lost << true
                                 << "Non si è potuto trovare in 20 secondi dove la partita si è persa.";
    }
    void whereTheGameWasLost()
    {
        QFETCH(QByteArray, moves);
        QFETCH(bool, cramped);
        const QByteArray text = "quintara-partita 1\npartita 1\nsegno 7\nfile 0 1 2 3\ntempo 0\ncontata no\nmosse "
                                + QByteArray::number(moves.count(' ') + 1) + '\n' + moves + "\nfine\n";
        QString why;
        const std::optional<GameRecord> record = ReadRecord(text, why);
        QVERIFY2(record && ReplayRecord(*record), qPrintable(why));
        const std::atomic<bool> cancel = false;
        HintLimits limits = LimitsFor(HintQuestion::WhereLost);
        if (cramped)
            limits.budget = 1;
        const LossAnswer answer = FindLosingMove(*record, limits, cancel);
        QTEST(LossText(answer, limits), "text");
        if (answer.finding == LossAnswer::Finding::LosingMove)
            QCOMPARE(answer.entry, std::size_t(9));
    }

    void refusesInconsistentTables()
    {
        GameState twice = OneMoveFromWin();
        SetCell(twice, 0, "Rp");
        QCOMPARE(Solve(twice.table, DefaultSuits, true).verdict, Verdict::InvalidPosition);
        const GameState state = OneMoveFromWin();
        QCOMPARE(Solve(state.table, PileSuitOrder{0, 1, 2, 2}, true).verdict, Verdict::InvalidPosition);
    }

    // Every solution is played again in the game's own way: the drop, then
    // one automatic move per pass of the game loop for as long as the game
    // would go on passing.
    void dealsReplayToWin_data()
    {
        QTest::addColumn<uint>("seed");
        for (uint seed : {0u, 1u, 2u, 3u, 4u})
            QTest::addRow("seed %u", seed) << seed;
    }
    void dealsReplayToWin()
    {
        QFETCH(uint, seed);
        const SolveResult result = SolveDeal(seed);
        QCOMPARE(result.verdict, Verdict::Solved);

        GameState state = Dealt(seed);
        QVERIFY(ReplaySolution(state.table, DefaultSuits, true, result.moves).won);
        FakeShell shell;
        std::vector<Move> legal;
        for (const Move &move : result.moves) {
            QVERIFY(state.table.FoundationLevel < 13);
            ListMoves(state.table, DefaultSuits, MoveSet::Every, legal);
            QVERIFY(std::find(legal.begin(), legal.end(), move) != legal.end());
            ApplyMove(state.table, move);
            if (ReleasesHold(move))
                state.flags.AutoMoveHold = false;
            while (!state.flags.AutoMoveHold && state.table.FoundationLevel < 13) {
                const int left = state.table.CardsLeft;
                const int level = state.table.FoundationLevel;
                AutoMoveToFoundation(state, shell);
                if (state.table.CardsLeft == left && state.table.FoundationLevel == level)
                    break;
            }
        }
        QCOMPARE(state.table.FoundationLevel, 13);
        QCOMPARE(state.table.CardsLeft, 0);
    }

    void acesWaitForAReleasingMove()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"5p", "Ac"});
        SetColumn(state, 1, {"9q", "8f"});
        SetColumn(state, 2, {});
        bool hold = true;
        Table table = state.table;
        // Into an empty column: the ace stays.
        Move toEmpty = ColumnToCell(table, 1, 0);
        toEmpty.toKind = Place::Column;
        toEmpty.to = 2;
        PlayMove(table, DefaultSuits, hold, toEmpty);
        QVERIFY(hold);
        QCOMPARE(TopSlot(table.Columns[0]), std::optional<int>(1));
        // Into a free cell: the ace flies home.
        PlayMove(table, DefaultSuits, hold, ColumnToCell(table, 1, 0));
        QVERIFY(!hold);
        QCOMPARE(TopSlot(table.Columns[0]), std::optional<int>(0));
        QCOMPARE(table.Foundations[0].Card, Card("Ac"));

        // A deal with aces on top keeps them there until the first move.
        auto acesOnTopOf = [](const GameState &dealt) {
            int aces = 0;
            for (const TableColumn &column : dealt.table.Columns)
                aces += Rank(column.Card[TopSlot(column).value()]) == 0 ? 1 : 0;
            return aces;
        };
        std::uint32_t seed = 0;
        while (acesOnTopOf(Dealt(seed)) == 0)
            ++seed;
        const GameState deal = Dealt(seed);
        const int acesOnTop = acesOnTopOf(deal);
        const SolveResult result = SolveDeal(seed);
        QCOMPARE(result.verdict, Verdict::Solved);
        Table played = deal.table;
        hold = true;
        PlayMove(played, DefaultSuits, hold, result.moves[0]);
        QVERIFY(52 - played.CardsLeft >= acesOnTop);
    }

    void keyForgetsWhichColumnAndCell()
    {
        GameState state = Dealt(7);
        bool hold = true;
        PlayMove(state.table, DefaultSuits, hold, ColumnToCell(state.table, 3, 0));
        const PositionKey key = EncodePosition(state.table, hold);

        Table shuffled = state.table;
        std::swap(shuffled.Columns[0], shuffled.Columns[5]);
        std::swap(shuffled.Cells[0], shuffled.Cells[2]);
        QCOMPARE(EncodePosition(shuffled, hold), key);
        QVERIFY(!(EncodePosition(state.table, true) == key));
        PlayMove(shuffled, DefaultSuits, hold, ColumnToCell(shuffled, 1, 1));
        QVERIFY(!(EncodePosition(shuffled, hold) == key));

        Table decoded;
        bool decodedHold = true;
        DecodePosition(key, DefaultSuits, decoded, decodedHold);
        QCOMPARE(decodedHold, false);
        QCOMPARE(EncodePosition(decoded, decodedHold), key);
        QCOMPARE(decoded.CardsLeft, state.table.CardsLeft);
        QCOMPARE(decoded.FoundationLevel, state.table.FoundationLevel);
        QCOMPARE(decoded.Foundations[0].Occupied, state.table.Foundations[0].Occupied);
    }

    // What the pointer may do, as the lister puts the rules together.
    void listedMoves()
    {
        GameState state = MakeState();
        SetColumn(state, 0, {"6c", "5p", "4q", "3f", "2c"});   // a run of five
        SetColumn(state, 1, {"Rq", "Ap"});
        SetColumn(state, 2, {"9p"});
        SetColumn(state, 3, {"Dc"});
        SetColumn(state, 4, {"Df"});
        SetColumn(state, 5, {"Dp"});
        SetColumn(state, 6, {"Rf"});
        for (int i = 1; i < CellCount; ++i)
            SetCell(state, i, i == 1 ? "Fq" : i == 2 ? "Fc" : "Ff");
        std::vector<Move> moves;
        ListMoves(state.table, DefaultSuits, MoveSet::Every, moves);

        // The run toward the one empty column with one free cell: one card
        // after a No, two after a Yes.
        const auto fromRun = [&](Place to, int count, bool yes) {
            return std::count_if(moves.begin(), moves.end(), [&](const Move &m) {
                return m.from == 0 && m.fromKind == Place::Column && m.toKind == to && m.count == count
                    && m.answerYes == yes;
            });
        };
        QCOMPARE(fromRun(Place::Column, 1, false), 1);
        QCOMPARE(fromRun(Place::Column, 2, true), 1);
        // The question comes up only when more than one card may go.
        for (const Move &m : moves) {
            if (m.IntoEmptyColumn() && m.fromKind == Place::Column)
                QCOMPARE(m.question, m.from == 0);
        }
        // The ace goes home, never into a free cell.
        std::vector<Move> ace;
        std::copy_if(moves.begin(), moves.end(), std::back_inserter(ace),
                     [](const Move &m) { return m.card == Card("Ap"); });
        QVERIFY(HasMove(ace, Place::Pile, 1));
        QVERIFY(!HasMove(ace, Place::Cell, 1));
        // The jack of diamonds from its cell onto the black queen.
        QVERIFY(std::any_of(moves.begin(), moves.end(), [](const Move &m) {
            return m.card == Card("Fq") && m.onto == Card("Df") && m.fromKind == Place::Cell;
        }));

        // The distinct set keeps one empty cell and one empty column.
        std::vector<Move> distinct;
        ListMoves(state.table, DefaultSuits, MoveSet::Distinct, distinct);
        QVERIFY(distinct.size() < moves.size());
        QVERIFY(std::none_of(distinct.begin(), distinct.end(), [](const Move &m) {
            return m.fromKind == Place::Cell && m.toKind == Place::Cell;
        }));
    }

    void groupsNeedCapacityAndRoom()
    {
        // A run of three onto a black four, with capacity 1 and then 3.
        GameState state = MakeState();
        SetColumn(state, 0, {"3c", "2p", "Aq"});
        SetColumn(state, 1, {"4f"});
        const char *fillers[] = {"Rc", "Rq", "Rp", "Rf", "Dc", "Dq"};
        for (int c = 2; c < ColumnCount; ++c)
            SetColumn(state, c, {fillers[c - 2]});
        const char *nines[] = {"9c", "9q", "9p", "9f"};
        for (int i = 0; i < CellCount; ++i)
            SetCell(state, i, nines[i]);
        std::vector<Move> moves;
        const auto group = [&] {
            ListMoves(state.table, DefaultSuits, MoveSet::Every, moves);
            return std::any_of(moves.begin(), moves.end(), [](const Move &m) { return m.count == 3; });
        };
        QVERIFY(!group());
        state.table.Cells[0].Occupied = 0;
        state.table.Cells[1].Occupied = 0;
        QVERIFY(group());
        // A destination with its top card in slot 15 has room for two only.
        std::vector<CardCode> deep;
        for (CardCode card = MakeCard(4, 0); deep.size() < 15; ++card)
            deep.push_back(card);
        deep.push_back(Card("4f"));
        SetColumnCards(state, 1, deep);
        QVERIFY(!group());
    }

    void moveTexts_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("column to cell") << int(Place::Column) * 10 + 2 << int(Place::Cell) * 10 + 0 << 1
                                        << QStringLiteral("colonna 3 -> cella 1");
        QTest::newRow("cell to pile") << int(Place::Cell) * 10 + 1 << int(Place::Pile) * 10 + 0 << 1
                                      << QStringLiteral("cella 2 -> fila 1");
        QTest::newRow("group") << int(Place::Column) * 10 + 4 << int(Place::Column) * 10 + 1 << 3
                               << QStringLiteral("colonna 5 -> colonna 2 (3 carte)");
    }
    void moveTexts()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, count);
        QFETCH(QString, text);
        Move move{Place(from / 10), from % 10, Place(to / 10), to % 10, count};
        QCOMPARE(MoveText(move), text);
    }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("range");
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("last");
        QTest::addColumn<qint64>("budget");
        const qint64 d = DefaultBudget;
        QTest::newRow("seed") << QStringList{"42"} << true << false << 42u << 0u << d;
        QTest::newRow("largest seed") << QStringList{"4294967295"} << true << false << 4294967295u << 0u << d;
        QTest::newRow("range and budget") << QStringList{"--range", "3", "9", "--budget", "500"} << true << true
                                          << 3u << 9u << qint64(500);
        QTest::newRow("budget first") << QStringList{"--budget", "7", "1"} << true << false << 1u << 0u << qint64(7);
        QTest::newRow("nothing") << QStringList{} << false << false << 0u << 0u << d;
        QTest::newRow("seed too large") << QStringList{"4294967296"} << false << false << 0u << 0u << d;
        QTest::newRow("negative") << QStringList{"-3"} << false << false << 0u << 0u << d;
        QTest::newRow("not a number") << QStringList{"12a"} << false << false << 0u << 0u << d;
        QTest::newRow("two seeds") << QStringList{"1", "2"} << false << false << 0u << 0u << d;
        QTest::newRow("short range") << QStringList{"--range", "1"} << false << false << 0u << 0u << d;
        QTest::newRow("empty range") << QStringList{"--range", "9", "3"} << false << false << 0u << 0u << d;
        QTest::newRow("zero budget") << QStringList{"1", "--budget", "0"} << false << false << 0u << 0u << d;
        QTest::newRow("budget missing") << QStringList{"1", "--budget"} << false << false << 0u << 0u << d;
        QTest::newRow("huge budget") << QStringList{"1", "--budget", "99999999999999999999"} << false << false
                                     << 0u << 0u << d;
        QTest::newRow("unknown option") << QStringList{"--fast", "1"} << false << false << 0u << 0u << d;
    }
    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, valid);
        QString error;
        const std::optional<SolveCommand> command = ParseSolveArguments(arguments, error);
        QCOMPARE(command.has_value(), valid);
        QCOMPARE(error.isEmpty(), valid);
        if (!valid)
            return;
        QTEST(command->range, "range");
        QTEST(uint(command->first), "first");
        if (command->range)
            QTEST(uint(command->last), "last");
        QTEST(qint64(command->budget), "budget");
    }

    // Ctrl+C during a long range: the deals judged so far are summed up.
    void interruptedRangeSumsUp()
    {
        SolveCommand command;
        command.range = true;
        command.first = 0;
        command.last = 1000000;
        std::thread interrupt([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            ::kill(::getpid(), SIGINT);
        });
        QString text;
        QTextStream out(&text);
        const int status = RunSolveCommand(command, out);
        interrupt.join();
        QCOMPARE(status, 130);
        QVERIFY2(text.contains(QStringLiteral("Interrotto")) && text.contains(QStringLiteral("Partite: ")),
                 qPrintable(text.right(400)));
        QVERIFY(text.contains(QStringLiteral("         0  risolta")));
    }
};

QTEST_GUILESS_MAIN(TestSolver)
#include "test_solver.moc"
