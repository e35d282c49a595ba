// Many random games through the real pointer handlers: random clicks and
// drags, legal and not, random answers and random undo, on random deals.
// After every step each card must be in exactly one place and the counters
// must agree with the table. QUINTARA_SOAK_GAMES sets the number of games.

#include <QTest>

#include <random>

#include "core/analysis.h"
#include "core/automove.h"
#include "core/deal.h"
#include "core/undo.h"
#include "moves/pointer.h"
#include "support/fakeshell.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

namespace {

struct Point {
    int x;
    int y;
};

class Soak {
public:
    explicit Soak(std::uint32_t seed) : rng(seed) {}

    int moves = 0;
    int undos = 0;
    int cardsHome = 0;
    QStringList failures;

    void PlayGame(std::uint32_t dealSeed, int steps)
    {
        state = MakeState(rng() % 2 ? 1024 : 800);
        ShuffleAndDeal(state, dealSeed);
        state.flags.AutoMoveHold = true;
        state.flags.AnalysisOn = true;
        state.flags.MovesLeft = true;
        state.table.FoundationLevel = 1;
        for (int step = 0; step < steps && state.flags.MovesLeft && state.table.FoundationLevel < 13; ++step) {
            shell.defaultAnswer = rng() % 2;
            switch (rng() % 8) {
            case 0:
                Undo();
                break;
            case 4:
            case 5:
                PlayLegalMove();
                break;
            case 1:
            case 2:
            case 3:
                ClickClick(Target(), Target());
                break;
            default:
                Drag(Target(), Target());
                break;
            }
            if (state.held.PickedFrom != FromNothing)
                LetGo();
            Settle();
            Check(dealSeed, step);
            if (failures.size() > 20)
                break;
        }
        cardsHome += DeckSize - state.table.CardsLeft;
    }

private:
    // A place worth aiming at: mostly a card, a cell, a pile or a column's
    // top, sometimes anywhere on the table.
    Point Target()
    {
        const TableLayout &l = state.Layout;
        const int jitterX = int(rng() % l.CardWidth);
        const int jitterY = int(rng() % l.CardHeight);
        switch (rng() % 5) {
        case 0: {
            const SlotRecord &cell = state.table.Cells[rng() % 4];
            return {cell.X + jitterX, cell.Y + jitterY};
        }
        case 1: {
            const SlotRecord &pile = state.table.Foundations[rng() % 4];
            return {pile.X + jitterX, pile.Y + jitterY};
        }
        case 2:
        case 3: {
            const int c = int(rng() % ColumnCount);
            const TableColumn &column = state.table.Columns[c];
            const int slot = TopSlot(column).value_or(0);
            const int x = column.Occupied[0] ? column.X[slot] : ColumnLeft(l, c);
            const int y = column.Occupied[0] ? column.Y[slot] : RowTop(l, 0);
            return {x + jitterX, y + int(rng() % (l.RowStep * 16))};
        }
        default:
            return {int(rng() % l.PlayAreaWidth), int(rng() % l.PlayAreaHeight)};
        }
    }

    // Aims at a move the rules allow, so that games get somewhere.
    void PlayLegalMove()
    {
        std::vector<std::pair<Point, Point>> moves;
        std::vector<std::pair<Point, Point>> home;
        const TableLayout &l = state.Layout;
        auto centre = [&](int x, int y) { return Point{x + l.CardWidth / 2, y + l.CardHeight / 2}; };
        std::vector<std::pair<MoveSource, Point>> sources;
        for (int i = 0; i < CellCount; ++i)
            if (state.table.Cells[i].Occupied)
                sources.push_back({{FromCell, i, 0, state.table.Cells[i].Card}, centre(state.table.Cells[i].X, state.table.Cells[i].Y)});
        for (int c = 0; c < ColumnCount; ++c)
            if (const auto top = TopSlot(state.table.Columns[c]))
                sources.push_back({{FromColumn, c, *top, state.table.Columns[c].Card[*top]},
                                   centre(state.table.Columns[c].X[*top], state.table.Columns[c].Y[*top])});
        for (const auto &[source, from] : sources) {
            for (int p = 0; p < PileCount; ++p)
                if (CanGoToFoundation(state.table, state.deal.GamePileSuit, p, source.Card))
                    home.push_back({from, centre(state.table.Foundations[p].X, state.table.Foundations[p].Y)});
            for (int i = 0; i < CellCount; ++i)
                if (!state.table.Cells[i].Occupied && Rank(source.Card) != 0)
                    moves.push_back({from, centre(state.table.Cells[i].X, state.table.Cells[i].Y)});
            for (int c = 0; c < ColumnCount; ++c) {
                const auto top = TopSlot(state.table.Columns[c]);
                if (!top)
                    moves.push_back({from, centre(ColumnLeft(l, c), RowTop(l, 0))});
                else if (ColumnMoveCount(state.table, source, c, *top) > 0)
                    moves.push_back({from, centre(state.table.Columns[c].X[*top], state.table.Columns[c].Y[*top])});
            }
        }
        // Cards that can go home mostly do, as a player would send them.
        if (!home.empty() && (moves.empty() || rng() % 4 != 0))
            moves = home;
        if (moves.empty())
            return;
        const auto &[from, to] = moves[rng() % moves.size()];
        ClickClick(from, to);
    }

    void Down(Point p)
    {
        const bool wasIdle = state.held.PickedFrom == FromNothing;
        const Table before = state.table;
        FormMouseDown(state, shell, rng() % 12 ? MouseButton::Left : MouseButton::Other, p.x, p.y);
        if (wasIdle && state.held.PickedFrom != FromNothing)
            snapshot = before;
    }
    void Up(Point p) { FormMouseUp(state, shell, MouseButton::Left, p.x, p.y); }
    void Move(Point p) { FormMouseMove(state, shell, p.x, p.y); }

    void ClickClick(Point from, Point to)
    {
        Down(from);
        Up(from);
        Move(to);
        Down(to);
        Up(to);
        ++moves;
    }

    void Drag(Point from, Point to)
    {
        Down(from);
        for (int i = 1; i <= 3; ++i)
            Move({from.x + (to.x - from.x) * i / 3, from.y + (to.y - from.y) * i / 3});
        Up(to);
        ++moves;
    }

    // A card still held is dropped somewhere else or put back.
    void LetGo()
    {
        for (int tries = 0; tries < 3 && state.held.PickedFrom != FromNothing; ++tries) {
            const Point p = Target();
            Move(p);
            Up(p);
        }
        if (state.held.PickedFrom == FromNothing)
            return;
        const bool fromCell = state.held.PickedFrom == FromCell;
        const int x = fromCell ? state.table.Cells[state.held.PickedIndex].X : state.table.Columns[state.held.PickedIndex].X[state.held.PickedSlot];
        const int y = fromCell ? state.table.Cells[state.held.PickedIndex].Y : state.table.Columns[state.held.PickedIndex].Y[state.held.PickedSlot];
        Up({x + 5, y + 5});
        Up({x + 5, y + 5});
        if (state.held.PickedFrom != FromNothing)
            Fail(QStringLiteral("the held card could not be put back"));
    }

    void Undo()
    {
        const bool enabled = state.flags.UndoEnabled;
        undos += enabled ? 1 : 0;
        UndoBtn1Click(state, shell);
        if (enabled && !(state.table == snapshot))
            Fail(QStringLiteral("undo did not restore the position of the last pick-up"));
    }

    // The passes of the game loop that follow a step: cards go home one by
    // one, then the moves are counted.
    void Settle()
    {
        for (int pass = 0; pass < 80; ++pass) {
            const int before = state.table.CardsLeft;
            if (!state.flags.AutoMoveHold)
                AutoMoveToFoundation(state, shell);
            if (state.flags.AnalysisOn)
                AnalyseMoves(state, shell);
            if (state.table.CardsLeft == before || state.table.FoundationLevel >= 13)
                return;
        }
    }

    void Fail(const QString &what) { failures << what; }

    void Check(std::uint32_t dealSeed, int step)
    {
        const QString where = QStringLiteral("deal %1, step %2: ").arg(dealSeed).arg(step);
        std::array<int, DeckSize> seen{};
        for (const TableColumn &column : state.table.Columns) {
            bool gap = false;
            for (int slot = 0; slot < SlotCount; ++slot) {
                if (!column.Occupied[slot]) {
                    gap = true;
                    continue;
                }
                if (gap)
                    Fail(where + QStringLiteral("a column is not a prefix"));
                if (column.DrawMode[slot] != DrawNormal)
                    Fail(where + QStringLiteral("a card is left highlighted or blank"));
                ++seen[column.Card[slot]];
            }
        }
        for (const SlotRecord &cell : state.table.Cells)
            if (cell.Occupied)
                ++seen[cell.Card];
        int home = 0;
        for (int suit = 0; suit < 4; ++suit) {
            int top = -1;
            for (const SlotRecord &pile : state.table.Foundations)
                if (pile.Occupied && Suit(pile.Card) == suit)
                    top = Rank(pile.Card);
            for (int r = 0; r <= top; ++r)
                ++seen[MakeCard(r, suit)];
            for (int r = 0; r < RankCount; ++r) {
                if (bool(state.table.CardsHome[r][suit]) != (r <= top))
                    Fail(where + QStringLiteral("the cards home disagree with the piles"));
                home += state.table.CardsHome[r][suit];
            }
        }
        for (int card = 0; card < DeckSize; ++card)
            if (seen[card] != 1)
                Fail(where + QStringLiteral("%1 is in %2 places").arg(CardText(card)).arg(seen[card]));
        if (state.table.CardsLeft != DeckSize - home)
            Fail(where + QStringLiteral("CardsLeft %1 with %2 cards home").arg(state.table.CardsLeft).arg(home));
        if (!state.flags.AutoMoveHold) {
            int level = 1;
            while (level < 13 && state.table.CardsHome[level][0] + state.table.CardsHome[level][1] +
                                         state.table.CardsHome[level][2] + state.table.CardsHome[level][3] == 4)
                ++level;
            if (state.table.FoundationLevel != level)
                Fail(where + QStringLiteral("level %1, expected %2").arg(state.table.FoundationLevel).arg(level));
        }
    }

    std::mt19937 rng;
    GameState state;
    FakeShell shell;
    Table snapshot;   // the position when the last card was picked up
};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void randomGamesKeepEveryCard()
    {
        const int games = qEnvironmentVariableIntValue("QUINTARA_SOAK_GAMES") > 0
                              ? qEnvironmentVariableIntValue("QUINTARA_SOAK_GAMES")
                              : 40;
        Soak soak(20261208);
        for (int g = 0; g < games && soak.failures.isEmpty(); ++g)
            soak.PlayGame(std::uint32_t(g * 7919 + 13), 400);
        qInfo("soak: %d games, %d moves, %d undos, %d cards sent home, %d failures", games, soak.moves,
              soak.undos, soak.cardsHome, int(soak.failures.size()));
        if (!soak.failures.isEmpty())
            QFAIL(qPrintable(soak.failures.mid(0, 10).join(QLatin1Char('\n'))));
    }
};

QTEST_APPLESS_MAIN(TestSoak)
#include "test_soak.moc"
