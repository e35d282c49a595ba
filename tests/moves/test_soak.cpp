// Many random games through the real pointer handlers: random clicks and
// drags, legal and not, random answers and random undo, on random deals; and
// some games played along the solver's winning line, click by click, to the
// win. After every step each card must be in exactly one place, the counters
// must agree with the table, and whatever moved must be a move the rules, as
// stated here on their own, allow. QUINTARA_SOAK_GAMES sets the number of games.

#include <QTest>

#include <random>

#include "core/analysis.h"
#include "core/automove.h"
#include "core/deal.h"
#include "core/undo.h"
#include "moves/pointer.h"
#include "solver/solver.h"
#include "support/fakeshell.h"
#include "support/tablebuilder.h"
#include "table/moveplaces.h"

using namespace quintara;
using namespace quintara::test;

namespace {

struct Point {
    int x;
    int y;
};

Point Centre(const PixelRect &r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The rules of a move, written down again from the game's rules rather than
// taken from its code: what a single step of the player may change.
enum MoveKind { ToCell, ToPile, OntoCards, ToEmptyColumn, KindCount };

struct Change {
    MoveKind kind;   // ToCell, ToPile, or a column (OntoCards / ToEmptyColumn)
    int index;
    std::vector<CardCode> cards;   // lost or gained, the deepest first
};

std::vector<CardCode> ColumnCards(const TableColumn &column)
{
    std::vector<CardCode> cards;
    for (int slot = 0; slot < SlotCount && column.Occupied[slot]; ++slot)
        cards.push_back(column.Card[slot]);
    return cards;
}

bool IsRun(const std::vector<CardCode> &cards)
{
    for (std::size_t i = 0; i + 1 < cards.size(); ++i)
        if (Rank(cards[i]) != Rank(cards[i + 1]) + 1 || Colour(cards[i]) == Colour(cards[i + 1]))
            return false;
    return true;
}

struct StepMove {
    MoveKind kind;
    int count;
};

// Empty when `after` follows from `before` by one allowed move or by none;
// `made` receives the move made.
QString JudgeStep(const Table &before, const Table &after, const PileSuitOrder &suits, std::optional<StepMove> &made)
{
    std::vector<Change> lost;
    std::vector<Change> gained;
    for (int i = 0; i < CellCount; ++i) {
        const SlotRecord &b = before.Cells[i];
        const SlotRecord &a = after.Cells[i];
        if (b.Occupied && a.Occupied && b.Card != a.Card)
            return QStringLiteral("a card in a free cell changed into another");
        if (b.Occupied && !a.Occupied)
            lost.push_back({ToCell, i, {b.Card}});
        if (!b.Occupied && a.Occupied)
            gained.push_back({ToCell, i, {a.Card}});
    }
    for (int p = 0; p < PileCount; ++p)
        if (!(before.Foundations[p].Occupied == after.Foundations[p].Occupied
              && before.Foundations[p].Card == after.Foundations[p].Card))
            gained.push_back({ToPile, p, {after.Foundations[p].Card}});
    for (int c = 0; c < ColumnCount; ++c) {
        const std::vector<CardCode> b = ColumnCards(before.Columns[c]);
        const std::vector<CardCode> a = ColumnCards(after.Columns[c]);
        std::size_t same = 0;
        while (same < b.size() && same < a.size() && b[same] == a[same])
            ++same;
        if (same < b.size() && same < a.size())
            return QStringLiteral("column %1 changed under its top").arg(c + 1);
        const MoveKind columnKind = b.empty() ? ToEmptyColumn : OntoCards;
        if (same < b.size())
            lost.push_back({columnKind, c, {b.begin() + same, b.end()}});
        if (same < a.size())
            gained.push_back({columnKind, c, {a.begin() + same, a.end()}});
    }
    if (lost.empty() && gained.empty())
        return {};
    if (lost.size() != 1 || gained.size() != 1)
        return QStringLiteral("one step changed %1 places").arg(lost.size() + gained.size());
    const Change &from = lost[0];
    const Change &to = gained[0];
    if (from.cards != to.cards)
        return QStringLiteral("the cards that arrived are not those that left");

    const std::vector<CardCode> &cards = from.cards;
    const int n = int(cards.size());
    const CardCode deepest = cards.front();
    const bool fromCell = from.kind == ToCell;
    const int freeCells = CountEmptyCells(before);
    const int freeColumns = CountEmptyColumns(before);
    const QString what = QStringLiteral("%1 card(s) from %2 %3 to %4 %5")
                             .arg(n).arg(fromCell ? "cell" : "column").arg(from.index + 1)
                             .arg(to.kind == ToCell ? "cell" : to.kind == ToPile ? "pile" : "column").arg(to.index + 1);
    if (!IsRun(cards) || (fromCell && n > 1))
        return what + QStringLiteral(": not a run that may move together");
    bool allowed = false;
    switch (to.kind) {
    case ToCell:
        allowed = n == 1 && Rank(deepest) != 0;
        break;
    case ToPile: {
        const SlotRecord &pile = before.Foundations[to.index];
        allowed = n == 1
                  && (pile.Occupied ? Suit(deepest) == Suit(pile.Card) && Rank(deepest) == Rank(pile.Card) + 1
                                    : Rank(deepest) == 0 && Suit(deepest) == suits[to.index]);
        break;
    }
    case ToEmptyColumn:
        // One card, plus one per empty cell and per other empty column.
        allowed = n <= std::max(1, freeCells + freeColumns);
        break;
    case OntoCards: {
        const std::vector<CardCode> dest = ColumnCards(before.Columns[to.index]);
        const CardCode top = dest.back();
        const bool fits = Rank(deepest) + 1 == Rank(top) && Colour(deepest) != Colour(top);
        const bool room = int(dest.size()) + n <= SlotCount;
        allowed = fits && room && (n == 1 || n <= freeCells + freeColumns + 1);
        break;
    }
    case KindCount:
        break;
    }
    if (!allowed)
        return what + QStringLiteral(": the rules do not allow it");
    made = StepMove{to.kind, n};
    return {};
}

class Soak {
public:
    explicit Soak(std::uint32_t seed) : rng(seed) {}

    int attempts = 0;
    int undos = 0;
    int cardsHome = 0;
    int wins = 0;
    std::array<int, KindCount> made{};   // moves carried out, by kind
    int groups = 0;                      // of which more than one card
    QStringList failures;

    void PlayGame(std::uint32_t dealSeed, int steps)
    {
        Deal(dealSeed);
        for (int step = 0; step < steps && state.flags.MovesLeft && state.table.FoundationLevel < 13; ++step) {
            shell.defaultAnswer = rng() % 2;
            const Table before = state.table;
            const unsigned action = rng() % 8;
            switch (action) {
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
            if (action != 0)   // undo restores a position, checked on its own
                Judge(before, dealSeed, step);
            Settle();
            Check(dealSeed, step);
            if (failures.size() > 20)
                break;
        }
        cardsHome += DeckSize - state.table.CardsLeft;
    }

    // The solver's line for the deal, played as clicks to the win.
    void PlayWinningLine(std::uint32_t dealSeed)
    {
        Deal(dealSeed);
        const SolveResult line = Solve(state.table, state.deal.GamePileSuit, true);
        if (line.verdict != Verdict::Solved)
            return Fail(QStringLiteral("deal %1 has no winning line").arg(dealSeed));
        for (std::size_t i = 0; i < line.moves.size() && failures.isEmpty(); ++i) {
            const quintara::Move &move = line.moves[i];
            shell.answers = {move.answerYes};
            const MovePlaces places = PlacesOf(state, move);
            const Table before = state.table;
            ClickClick(Centre(places.pick), Centre(places.to), true);
            Judge(before, dealSeed, int(i));
            Settle();
            Check(dealSeed, int(i));
        }
        wins += state.table.FoundationLevel >= 13 && state.table.CardsLeft == 0 ? 1 : 0;
        cardsHome += DeckSize - state.table.CardsLeft;
    }

private:
    void Deal(std::uint32_t dealSeed)
    {
        state = MakeState(rng() % 2 ? 1024 : 800);
        ShuffleAndDeal(state, dealSeed);
        state.flags.AutoMoveHold = true;
        state.flags.AnalysisOn = true;
        state.flags.MovesLeft = true;
        state.table.FoundationLevel = 1;
    }

    void Judge(const Table &before, std::uint32_t dealSeed, int step)
    {
        std::optional<StepMove> move;
        const QString fault = JudgeStep(before, state.table, state.deal.GamePileSuit, move);
        if (!fault.isEmpty())
            Fail(QStringLiteral("deal %1, step %2: ").arg(dealSeed).arg(step) + fault);
        if (move) {
            ++made[move->kind];
            groups += move->count > 1 ? 1 : 0;
        }
    }

    // A place worth aiming at: mostly a card, a cell, a pile or a column's
    // top, sometimes anywhere on the table.
    Point Target()
    {
        const TableLayout &l = state.Layout;
        const int jitterX = int(rng() % l.grid.CardWidth);
        const int jitterY = int(rng() % l.grid.CardHeight);
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
            const int x = column.Occupied[0] ? column.X[slot] : ColumnLeft(l, state.deal.ColumnGap, c);
            const int y = column.Occupied[0] ? column.Y[slot] : RowTop(l, 0);
            return {x + jitterX, y + int(rng() % (l.grid.RowStep * 16))};
        }
        default:
            return {int(rng() % l.window.PlayAreaWidth), int(rng() % l.window.PlayAreaHeight)};
        }
    }

    // Aims at a move the rules allow, so that games get somewhere.
    void PlayLegalMove()
    {
        std::vector<std::pair<Point, Point>> moves;
        std::vector<std::pair<Point, Point>> home;
        const TableLayout &l = state.Layout;
        auto centre = [&](int x, int y) { return Point{x + l.grid.CardWidth / 2, y + l.grid.CardHeight / 2}; };
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
                    moves.push_back({from, centre(ColumnLeft(l, state.deal.ColumnGap, c), RowTop(l, 0))});
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

    // Now and then the wrong button, unless the press must take.
    void Down(Point p, bool sure = false)
    {
        const bool wasIdle = state.held.PickedFrom == FromNothing;
        const Table before = state.table;
        FormMouseDown(state, shell, sure || rng() % 12 ? MouseButton::Left : MouseButton::Other, p.x, p.y);
        if (wasIdle && state.held.PickedFrom != FromNothing)
            snapshot = before;
    }
    void Up(Point p) { FormMouseUp(state, shell, MouseButton::Left, p.x, p.y); }
    void Move(Point p) { FormMouseMove(state, shell, p.x, p.y); }

    void ClickClick(Point from, Point to, bool sure = false)
    {
        Down(from, sure);
        Up(from);
        Move(to);
        Down(to, sure);
        Up(to);
        ++attempts;
    }

    void Drag(Point from, Point to)
    {
        Down(from);
        for (int i = 1; i <= 3; ++i)
            Move({from.x + (to.x - from.x) * i / 3, from.y + (to.y - from.y) * i / 3});
        Up(to);
        ++attempts;
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
        int lines = 0;
        int played = 0;   // the soak stops at the first game that fails
        for (int g = 0; g < games && soak.failures.isEmpty(); ++g, ++played) {
            const auto seed = std::uint32_t(g * 7919 + 13);
            // Every fifth game goes the solver's way, into the late game and the win.
            if (g % 5 == 2) {
                soak.PlayWinningLine(seed);
                ++lines;
            } else {
                soak.PlayGame(seed, 400);
            }
        }
        const auto &made = soak.made;
        qInfo("soak: %d games (%d won along the solver's line), %d attempts, moves made: %d to a cell, "
              "%d to a pile, %d onto a card, %d to an empty column, %d of several cards; %d undos, "
              "%d cards sent home, %d failures",
              played, soak.wins, soak.attempts, made[ToCell], made[ToPile], made[OntoCards], made[ToEmptyColumn],
              soak.groups, soak.undos, soak.cardsHome, int(soak.failures.size()));
        if (!soak.failures.isEmpty())
            QFAIL(qPrintable(soak.failures.mid(0, 10).join(QLatin1Char('\n'))));
        QCOMPARE(soak.wins, lines);
        // Every kind of move was made, so every rule above was put to work.
        for (int kind = 0; kind < KindCount; ++kind)
            QVERIFY(made[kind] >= games / 5);
        QVERIFY(soak.groups >= games / 10);
    }
};

QTEST_APPLESS_MAIN(TestSoak)
#include "test_soak.moc"
