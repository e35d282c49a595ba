#include "solver/solver.h"

#include <algorithm>
#include <ctime>
#include <memory>

#include "core/automove.h"
#include "core/deal.h"
#include "core/gamestate.h"
#include "core/rules.h"
#include "solver/positionkey.h"

namespace quintara {

namespace {

// ---- Checking what we are given -------------------------------------------

bool IsSuitPerPile(const PileSuitOrder &pileSuit)
{
    std::array<bool, 4> seen{};
    for (int suit : pileSuit) {
        if (suit < 0 || suit > 3 || seen[suit])
            return false;
        seen[suit] = true;
    }
    return true;
}

// Each card once: in a column, in a free cell, or at home, where each suit is
// home from its ace up and its pile shows the highest.
bool IsValidPosition(const Table &table, const PileSuitOrder &pileSuit)
{
    std::array<int, DeckSize> seen{};
    for (const TableColumn &column : table.Columns) {
        const int top = TopSlot(column).value_or(-1);
        for (int slot = 0; slot <= top; ++slot) {
            if (column.Occupied[slot] == 0 || column.Card[slot] < 0 || column.Card[slot] >= DeckSize)
                return false;
            ++seen[column.Card[slot]];
        }
    }
    for (const SlotRecord &cell : table.Cells) {
        if (cell.Occupied == 0)
            continue;
        if (cell.Card < 0 || cell.Card >= DeckSize)
            return false;
        ++seen[cell.Card];
    }
    int cardsLeft = 0;
    for (int p = 0; p < PileCount; ++p) {
        const int suit = pileSuit[p];
        int home = 0;
        while (home < RankCount && table.CardsHome[home][suit] == 1)
            ++home;
        const SlotRecord &pile = table.Foundations[p];
        if (home > 0 ? pile.Occupied == 0 || pile.Card != MakeCard(home - 1, suit) : pile.Occupied != 0)
            return false;
        for (int rank = 0; rank < RankCount; ++rank) {
            const bool atHome = table.CardsHome[rank][suit] == 1;
            if (atHome != (rank < home))
                return false;
            seen[MakeCard(rank, suit)] += atHome ? 1 : 0;
            cardsLeft += atHome ? 0 : 1;
        }
    }
    return cardsLeft == table.CardsLeft && std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; });
}

// ---- The search's own memory --------------------------------------------------

// A move as the search keeps it: by the cards it touches, not by the places,
// since the places of one stored position differ from those of the table the
// solution is finally played on.
enum class Aim : std::uint32_t { Cell, Pile, OntoCard, EmptyColumn };

struct CardMove {
    CardCode card = 0;
    Aim aim = Aim::Cell;
    CardCode onto = 0;
    int count = 1;
    int depth = 0;   // moves from the start; only steers the search

    static constexpr int MaxDepth = (1 << 13) - 1;

    static CardMove Of(const Move &move, int depth)
    {
        CardMove m;
        m.card = move.card;
        m.count = move.count;
        m.depth = std::min(depth, MaxDepth);
        if (move.toKind == Place::Cell)
            m.aim = Aim::Cell;
        else if (move.toKind == Place::Pile)
            m.aim = Aim::Pile;
        else if (move.IntoEmptyColumn())
            m.aim = Aim::EmptyColumn;
        else {
            m.aim = Aim::OntoCard;
            m.onto = move.onto;
        }
        return m;
    }
    bool Matches(const Move &move) const
    {
        const CardMove other = Of(move, depth);
        return other.card == card && other.aim == aim && other.onto == onto && other.count == count;
    }
    std::uint32_t Pack() const
    {
        return static_cast<std::uint32_t>(card) | static_cast<std::uint32_t>(aim) << 6
            | static_cast<std::uint32_t>(onto) << 8 | static_cast<std::uint32_t>(count) << 14
            | static_cast<std::uint32_t>(depth) << 19;
    }
    static CardMove Unpack(std::uint32_t bits)
    {
        CardMove m;
        m.card = static_cast<CardCode>(bits & 63);
        m.aim = static_cast<Aim>(bits >> 6 & 3);
        m.onto = static_cast<CardCode>(bits >> 8 & 63);
        m.count = static_cast<int>(bits >> 14 & 31);
        m.depth = static_cast<int>(bits >> 19);
        return m;
    }
};

struct Node {
    PositionKey key;
    std::uint32_t parent = 0;
    std::uint32_t move = 0;   // a packed CardMove: how the parent led here
};

// Nodes in fixed blocks, so growing never copies what is already stored.
class NodeStore {
public:
    std::uint32_t Add(const Node &node)
    {
        if (count % BlockSize == 0)
            blocks.push_back(std::make_unique<Node[]>(BlockSize));
        blocks.back()[count % BlockSize] = node;
        return count++;
    }
    const Node &operator[](std::uint32_t i) const { return blocks[i / BlockSize][i % BlockSize]; }
    std::uint32_t Size() const { return count; }

private:
    static constexpr std::uint32_t BlockSize = 1u << 16;
    std::vector<std::unique_ptr<Node[]>> blocks;
    std::uint32_t count = 0;
};

// The positions seen so far: open addressing over node numbers, kept at most
// half full. Each entry keeps 32 bits of its key's hash beside the node
// number, so a probe seldom has to fetch the node to compare whole keys.
class SeenSet {
public:
    explicit SeenSet(const NodeStore &nodes) : nodes(nodes), entries(std::size_t{1} << 12, Empty) {}

    bool Contains(const PositionKey &key) const
    {
        const std::uint32_t tag = Tag(key);
        for (std::size_t i = Home(tag);; i = (i + 1) & Mask()) {
            if (entries[i] == Empty)
                return false;
            if (entries[i] >> 32 == tag && nodes[static_cast<std::uint32_t>(entries[i])].key == key)
                return true;
        }
    }
    void Insert(std::uint32_t node)
    {
        if (2 * (used + 1) > entries.size())
            Grow();
        Store(std::uint64_t{Tag(nodes[node].key)} << 32 | node);
        ++used;
    }

private:
    static constexpr std::uint64_t Empty = ~std::uint64_t{0};
    static std::uint32_t Tag(const PositionKey &key) { return static_cast<std::uint32_t>(HashKey(key) >> 32); }
    std::size_t Mask() const { return entries.size() - 1; }
    std::size_t Home(std::uint32_t tag) const { return (tag * std::size_t{0x9E3779B1u}) & Mask(); }
    void Store(std::uint64_t entry)
    {
        std::size_t i = Home(static_cast<std::uint32_t>(entry >> 32));
        while (entries[i] != Empty)
            i = (i + 1) & Mask();
        entries[i] = entry;
    }
    void Grow()
    {
        std::vector<std::uint64_t> old(entries.size() * 2, Empty);
        old.swap(entries);
        for (std::uint64_t entry : old) {
            if (entry != Empty)
                Store(entry);
        }
    }

    const NodeStore &nodes;
    std::vector<std::uint64_t> entries;
    std::size_t used = 0;
};

// Lowest priority first; among equals the newest, so the search keeps
// following the line it is on while that line stays as good.
class BucketQueue {
public:
    static constexpr int Levels = 4096;
    BucketQueue() : buckets(Levels) {}
    void Push(int priority, std::uint32_t node)
    {
        priority = std::clamp(priority, 0, Levels - 1);
        buckets[priority].push_back(node);
        lowest = std::min(lowest, priority);
        ++size;
    }
    bool Empty() const { return size == 0; }
    std::uint32_t Pop()
    {
        while (buckets[lowest].empty())
            ++lowest;
        const std::uint32_t node = buckets[lowest].back();
        buckets[lowest].pop_back();
        --size;
        return node;
    }

private:
    std::vector<std::vector<std::uint32_t>> buckets;
    int lowest = Levels;
    std::size_t size = 0;
};

// ---- Judging a position -----------------------------------------------------------

// How much each feature of a position weighs; lower totals are searched first.
struct Weights {
    int cardsLeft;      // cards not yet home
    int misplaced;      // cards lying on a lower card: each must move again before it can go home
    int buried;         // cards covering the next card each pile needs
    int usedCells;      // free cells taken
    int emptyColumns;   // empty columns, a bonus
    int depthDivisor;   // one point for this many moves made, so long detours lose out
};

// Different weights fail on different deals: a short look with each of the
// first three settles most deals that one of them alone would struggle with;
// the last searches to the end of the budget or of the positions.
constexpr std::array<Weights, 4> Outlooks{{
    {4, 3, 1, 1, 2, 2},
    {4, 3, 0, 2, 4, 8},
    {2, 2, 1, 2, 4, 1},
    {4, 3, 1, 1, 2, 1},
}};
constexpr std::int64_t ShortLook = 10'000;

int Priority(const Weights &w, const Table &table, int depth)
{
    std::array<int, 4> nextRank{};
    for (int suit = 0; suit < 4; ++suit) {
        while (nextRank[suit] < RankCount && table.CardsHome[nextRank[suit]][suit] == 1)
            ++nextRank[suit];
    }
    int misplaced = 0;
    int buried = 0;
    int emptyColumns = 0;
    for (const TableColumn &column : table.Columns) {
        const int top = TopSlot(column).value_or(-1);
        if (top < 0) {
            ++emptyColumns;
            continue;
        }
        int lowestBelow = RankCount;
        for (int slot = 0; slot <= top; ++slot) {
            const CardCode card = column.Card[slot];
            if (Rank(card) > lowestBelow)
                ++misplaced;
            lowestBelow = std::min(lowestBelow, Rank(card));
            if (Rank(card) == nextRank[Suit(card)])
                buried += top - slot;
        }
    }
    const int usedCells = CellCount - CountEmptyCells(table);
    return w.cardsLeft * table.CardsLeft + w.misplaced * misplaced + w.buried * buried
        + w.usedCells * usedCells - w.emptyColumns * emptyColumns + depth / w.depthDivisor;
}

// ---- The search ---------------------------------------------------------------------

class Search {
public:
    Search(const Table &start, const PileSuitOrder &pileSuit, bool hold, const Weights &weights,
           std::int64_t budget, const std::function<bool()> &stop)
        : start(start), pileSuit(pileSuit), startHold(hold), weights(weights), budget(budget), stop(stop),
          seen(nodes)
    {
    }

    SolveResult Run()
    {
        SolveResult result;
        Add(Node{EncodePosition(start, startHold), 0, 0}, Priority(weights, start, 0));
        result.verdict = Explore();
        if (result.verdict == Verdict::Solved)
            result.moves = Moves();
        result.positions = nodes.Size();
        return result;
    }

    // The caller's `stop` ended the search, not the budget or the positions.
    bool Stopped() const { return stopped; }

private:
    Verdict Explore()
    {
        if (IsWon(start))
            return Verdict::Solved;
        Table position;
        Table child;
        std::vector<Move> moves;
        for (std::uint32_t expanded = 1; !queue.Empty(); ++expanded) {
            if (stop && expanded % StopCheckInterval == 0 && stop()) {
                stopped = true;
                return Verdict::Undecided;
            }
            const std::uint32_t index = queue.Pop();
            bool hold = false;
            DecodePosition(nodes[index].key, pileSuit, position, hold);
            const int depth = CardMove::Unpack(nodes[index].move).depth;
            ListMoves(position, pileSuit, MoveSet::Distinct, moves);
            for (const Move &move : moves) {
                child = position;
                bool childHold = hold;
                PlayMove(child, pileSuit, childHold, move);
                const Node node{EncodePosition(child, childHold), index, CardMove::Of(move, depth + 1).Pack()};
                if (IsWon(child)) {
                    winner = nodes.Add(node);
                    return Verdict::Solved;
                }
                if (seen.Contains(node.key))
                    continue;
                if (nodes.Size() >= budget)
                    return Verdict::Undecided;
                Add(node, Priority(weights, child, depth + 1));
            }
        }
        return Verdict::Impossible;
    }

    void Add(const Node &node, int priority)
    {
        const std::uint32_t index = nodes.Add(node);
        seen.Insert(index);
        queue.Push(priority, index);
    }

    // Follows the winning line back to the start, then plays it forward on
    // the table as given, where each move finds its real places.
    std::vector<Move> Moves() const
    {
        std::vector<CardMove> line;
        for (std::uint32_t i = winner; i != 0; i = nodes[i].parent)
            line.push_back(CardMove::Unpack(nodes[i].move));
        std::reverse(line.begin(), line.end());

        std::vector<Move> result;
        std::vector<Move> legal;
        Table table = start;
        bool hold = startHold;
        for (const CardMove &step : line) {
            ListMoves(table, pileSuit, MoveSet::Every, legal);
            const auto move = std::find_if(legal.begin(), legal.end(),
                                           [&](const Move &m) { return step.Matches(m); });
            if (move == legal.end())
                break;   // cannot happen; the replay of the moves would tell
            result.push_back(*move);
            PlayMove(table, pileSuit, hold, *move);
        }
        return result;
    }

    const Table &start;
    const PileSuitOrder &pileSuit;
    const bool startHold;
    const Weights &weights;
    const std::int64_t budget;
    const std::function<bool()> &stop;
    // Positions expanded between two looks at `stop`: rare enough to cost
    // nothing, often enough to answer within a few milliseconds.
    static constexpr std::uint32_t StopCheckInterval = 256;
    NodeStore nodes;
    SeenSet seen;
    BucketQueue queue;
    std::uint32_t winner = 0;
    bool stopped = false;
};

} // namespace

SolveResult Solve(const Table &table, const PileSuitOrder &pileSuit, bool autoMoveHold,
                  const SolveOptions &options)
{
    const std::clock_t began = std::clock();
    SolveResult result;
    if (!IsSuitPerPile(pileSuit) || !IsValidPosition(table, pileSuit)) {
        result.verdict = Verdict::InvalidPosition;
    } else {
        // Each look starts afresh; a look that runs out of positions before
        // its share of the budget has searched them all, and so decides.
        const std::int64_t budget = std::clamp<std::int64_t>(options.budget, 1, MaxBudget);
        for (std::size_t i = 0; i < Outlooks.size() && result.positions < budget; ++i) {
            const std::int64_t left = budget - result.positions;
            const std::int64_t share = i + 1 < Outlooks.size() ? std::min(ShortLook, left) : left;
            const std::int64_t before = result.positions;
            Search search(table, pileSuit, autoMoveHold, Outlooks[i], share, options.stop);
            result = search.Run();
            result.positions += before;
            if (result.verdict != Verdict::Undecided || search.Stopped())
                break;
        }
    }
    result.seconds = static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC;
    return result;
}

SolveResult SolveDeal(std::uint32_t seed, const SolveOptions &options, Table *table)
{
    GameState state;
    ResetTable(state);
    ShuffleAndDeal(state, seed);
    if (table)
        *table = state.table;
    return Solve(state.table, state.deal.GamePileSuit, true, options);
}

} // namespace quintara
