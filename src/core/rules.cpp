#include "core/rules.h"

#include <algorithm>
#include <optional>

namespace quintara {

bool FitsOn(CardCode a, CardCode b)
{
    return Rank(a) + 1 == Rank(b) && Colour(a) != Colour(b);
}

bool CanGoToFoundation(const Table &table, const PileSuitOrder &pileSuit, int pile, CardCode card)
{
    const SlotRecord &top = table.Foundations[pile];
    if (top.Occupied == 0)
        return Rank(card) == 0 && Suit(card) == pileSuit[pile];
    return Rank(card) <= 12 && Suit(card) == Suit(top.Card) && Rank(card) == Rank(top.Card) + 1;
}

bool CellTakes(const Table &table, int cell, CardCode card)
{
    return Rank(card) != 0 && table.Cells[cell].Occupied == 0;
}

int MoveCapacity(const Table &table)
{
    return CountEmptyCells(table) + CountEmptyColumns(table) + 1;
}

int EmptyColumnLimit(const Table &table, int count)
{
    return std::min(count, CountEmptyCells(table) + CountEmptyColumns(table));
}

namespace {

// Reports to an observer when there is one.
struct Narration {
    CountObserver *observer;
    void begun(CountStep step, CardCode held) const
    {
        if (observer)
            observer->stepBegun(step, held);
    }
    void examined(int m, CardCode card) const
    {
        if (observer)
            observer->cardExamined(m, card);
    }
    void broken(int m) const
    {
        if (observer)
            observer->runBroken(m);
    }
    void fits(int m) const
    {
        if (observer)
            observer->cardFits(m);
    }
    int finished(CountStep step, int count) const
    {
        if (observer)
            observer->countFinished(step, count);
        return count;
    }
};

bool continuesRun(CardCode next, CardCode prev)
{
    return Rank(next) == Rank(prev) + 1 && Colour(next) != Colour(prev);
}

struct RunWalk {
    int cards = 1;          // the run's cards walked, the source card first
    bool broken = false;    // a card below did not continue the run
    bool stopped = false;   // `stopAt` accepted the last card walked
};

// Walks down from the source card through the run beneath it, card by card,
// until the run breaks, the column ends or `stopAt` accepts a card.
template <typename StopAt>
RunWalk WalkRun(const TableColumn &from, const MoveSource &source, const Narration &say, StopAt stopAt)
{
    RunWalk walk;
    CardCode prev = source.Card;
    for (int slot = source.Slot - 1; slot >= 0; --slot) {
        const CardCode x = from.Card[slot];
        say.examined(walk.cards + 1, x);
        if (!continuesRun(x, prev)) {
            walk.broken = true;
            return walk;
        }
        ++walk.cards;
        if (stopAt(x)) {
            walk.stopped = true;
            return walk;
        }
        prev = x;
    }
    return walk;
}

} // namespace

int ColumnMoveCount(const Table &table, const MoveSource &source, int column, int destSlot,
                    CountObserver *observer)
{
    const Narration say{observer};
    if (observer)
        observer->countAsked(column, destSlot);
    const TableColumn &from = table.Columns[source.Index];

    if (destSlot >= EmptyColumnSlot) {
        if (source.From == FromCell) {
            say.begun(CountStep::E1, source.Card);
            return say.finished(CountStep::E1, 1);
        }
        if (source.Slot == 0) {
            say.begun(CountStep::E2, source.Card);
            return say.finished(CountStep::E2, 1);
        }
        say.begun(CountStep::E3, source.Card);
        return say.finished(CountStep::E3, WalkRun(from, source, say, [](CardCode) { return false; }).cards);
    }

    const CardCode target = table.Columns[column].Card[destSlot];
    if (source.From == FromCell || source.Slot == 0) {
        const CountStep step = source.From == FromCell ? CountStep::N1 : CountStep::N2;
        say.begun(step, source.Card);
        return say.finished(step, FitsOn(source.Card, target) ? 1 : 0);
    }
    if (FitsOn(source.Card, target)) {
        say.begun(CountStep::N3, source.Card);
        return say.finished(CountStep::N3, 1);
    }

    say.begun(CountStep::N4, source.Card);
    const RunWalk walk = WalkRun(from, source, say, [target](CardCode x) { return FitsOn(x, target); });
    if (walk.broken)
        say.broken(walk.cards + 1);
    else if (walk.stopped)
        say.fits(walk.cards);
    return say.finished(CountStep::N4, walk.stopped ? walk.cards : 0);
}

Ruling Judge(const Table &table, const PileSuitOrder &pileSuit, const MoveSource &source, Place toKind, int to,
             CountObserver *observer)
{
    Ruling r;
    r.move = {source.From == FromCell ? Place::Cell : Place::Column, source.Index, toKind, to, 1, source.Card};
    const auto allow = [&r] {
        r.verdict = MoveVerdict::Legal;
        return r;
    };
    switch (toKind) {
    case Place::Cell:
        return CellTakes(table, to, source.Card) ? allow() : r;
    case Place::Pile:
        return CanGoToFoundation(table, pileSuit, to, source.Card) ? allow() : r;
    case Place::Column:
        break;
    }
    if (source.From == FromColumn && source.Index == to)
        return r;
    const TableColumn &column = table.Columns[to];
    const std::optional<int> top = TopSlot(column);
    if (!top) {
        // From a column the whole run is offered, as far as the free places
        // can carry it; more than one card brings the question.
        r.counted = ColumnMoveCount(table, source, to, EmptyColumnSlot, observer);
        if (source.From == FromColumn) {
            r.move.count = EmptyColumnLimit(table, r.counted);
            r.move.question = r.move.count > 1;
        }
        return allow();
    }
    r.counted = ColumnMoveCount(table, source, to, *top, observer);
    r.move.count = r.counted;
    r.move.onto = column.Card[*top];
    if (r.counted == 0)
        return r;
    if (!ColumnHasRoom(*top, r.counted)) {
        r.verdict = MoveVerdict::ColumnFull;
        return r;
    }
    // One card always goes; a group only as far as the free places carry it.
    if (r.counted > 1 && r.counted > MoveCapacity(table)) {
        r.verdict = MoveVerdict::OverCapacity;
        return r;
    }
    return allow();
}

MoveSource SourceOf(const Table &table, Place fromKind, int from)
{
    if (fromKind == Place::Cell) {
        const SlotRecord &cell = table.Cells[from];
        return cell.Occupied ? MoveSource{FromCell, from, 0, cell.Card} : MoveSource{};
    }
    if (fromKind != Place::Column)
        return {};
    const TableColumn &column = table.Columns[from];
    const std::optional<int> top = TopSlot(column);
    return top ? MoveSource{FromColumn, from, *top, column.Card[*top]} : MoveSource{};
}

bool IsLegal(const Table &table, const PileSuitOrder &pileSuit, const Move &move)
{
    const MoveSource source = SourceOf(table, move.fromKind, move.from);
    if (source.From == FromNothing || source.Card != move.card)
        return false;
    const Ruling r = Judge(table, pileSuit, source, move.toKind, move.to);
    if (r.verdict != MoveVerdict::Legal || move.onto != r.move.onto || move.question != r.move.question)
        return false;
    if (move.answerYes)
        return move.question && move.count == r.move.count;
    return move.count == (r.move.question ? 1 : r.move.count);
}

namespace {

MoveMark markFor(bool found)
{
    return found ? MoveMark::Found : MoveMark::NotFound;
}

// Piles that take the card; normally at most one.
int acceptingPiles(const Table &table, const PileSuitOrder &pileSuit, CardCode card)
{
    int piles = 0;
    for (int p = 0; p < PileCount; ++p)
        if (CanGoToFoundation(table, pileSuit, p, card))
            ++piles;
    return piles;
}

// Columns with cards that take the source, under the same rules as the drop.
// Empty columns are not tried: a move there is always possible and tells the
// player nothing.
int acceptingColumns(const Table &table, const PileSuitOrder &pileSuit, const MoveSource &source)
{
    int columns = 0;
    for (int t = 0; t < ColumnCount; ++t) {
        if (TopSlot(table.Columns[t]) && Judge(table, pileSuit, source, Place::Column, t).verdict == MoveVerdict::Legal)
            ++columns;
    }
    return columns;
}

} // namespace

MoveAnalysis CountMoves(const Table &table, const PileSuitOrder &pileSuit)
{
    MoveAnalysis a;
    a.room = CountEmptyCells(table) + CountEmptyColumns(table);

    for (int k = 0; k < CellCount; ++k) {
        const SlotRecord &cell = table.Cells[k];
        a.cellOccupied[k] = cell.Occupied != 0;
        int home = 0;
        int onTableau = 0;
        if (cell.Occupied) {
            home = acceptingPiles(table, pileSuit, cell.Card);
            onTableau = acceptingColumns(table, pileSuit, {FromCell, k, 0, cell.Card});
        }
        a.counts[CellsToPiles] += home;
        a.counts[CellsToTableau] += onTableau;
        a.marks[CellsToPiles].push_back(markFor(home > 0));
        a.marks[CellsToTableau].push_back(markFor(onTableau > 0));
    }

    for (int c = 0; c < ColumnCount; ++c) {
        const std::optional<int> top = TopSlot(table.Columns[c]);
        if (!top) {
            a.marks[TableauToPiles].push_back(MoveMark::Neutral);
            a.marks[ColumnToColumn].push_back(MoveMark::Neutral);
            continue;
        }
        const CardCode card = table.Columns[c].Card[*top];
        const int home = acceptingPiles(table, pileSuit, card);
        const int onColumns = acceptingColumns(table, pileSuit, {FromColumn, c, *top, card});
        a.counts[TableauToPiles] += home;
        a.counts[ColumnToColumn] += onColumns;
        a.marks[TableauToPiles].push_back(markFor(home > 0));
        a.marks[ColumnToColumn].push_back(markFor(onColumns > 0));
    }
    return a;
}

} // namespace quintara
