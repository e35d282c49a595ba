#include "moves/rules.h"

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
        CardCode prev = source.Card;
        int k = 1;
        for (int slot = source.Slot - 1; slot >= 0; --slot) {
            const CardCode x = from.Card[slot];
            say.examined(k + 1, x);
            if (!continuesRun(x, prev))
                break;
            ++k;
            prev = x;
        }
        return say.finished(CountStep::E3, k);
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
    CardCode prev = source.Card;
    int k = 1;
    for (int slot = source.Slot - 1; slot >= 0; --slot) {
        const CardCode x = from.Card[slot];
        say.examined(k + 1, x);
        if (!continuesRun(x, prev)) {
            say.broken(k + 1);
            return say.finished(CountStep::N4, 0);
        }
        ++k;
        if (FitsOn(x, target)) {
            say.fits(k);
            return say.finished(CountStep::N4, k);
        }
        prev = x;
    }
    return say.finished(CountStep::N4, 0);
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

// Columns with cards that take the source, under the same limits as the drop:
// a group no larger than the capacity, and room in the destination column.
// Empty columns are not tried: a move there is always possible and tells the
// player nothing.
int acceptingColumns(const Table &table, const MoveSource &source, int capacity)
{
    int columns = 0;
    for (int t = 0; t < ColumnCount; ++t) {
        if (source.From == FromColumn && t == source.Index)
            continue;
        const std::optional<int> top = TopSlot(table.Columns[t]);
        if (!top)
            continue;
        const int n = ColumnMoveCount(table, source, t, *top);
        if (n != 0 && n <= capacity && ColumnHasRoom(*top, n))
            ++columns;
    }
    return columns;
}

} // namespace

MoveAnalysis CountMoves(const Table &table, const PileSuitOrder &pileSuit)
{
    MoveAnalysis a;
    a.room = CountEmptyCells(table) + CountEmptyColumns(table);
    const int capacity = MoveCapacity(table);

    for (int k = 0; k < CellCount; ++k) {
        const SlotRecord &cell = table.Cells[k];
        a.cellOccupied[k] = cell.Occupied != 0;
        int home = 0;
        int onTableau = 0;
        if (cell.Occupied) {
            home = acceptingPiles(table, pileSuit, cell.Card);
            onTableau = acceptingColumns(table, {FromCell, k, 0, cell.Card}, capacity);
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
        const int onColumns = acceptingColumns(table, {FromColumn, c, *top, card}, capacity);
        a.counts[TableauToPiles] += home;
        a.counts[ColumnToColumn] += onColumns;
        a.marks[TableauToPiles].push_back(markFor(home > 0));
        a.marks[ColumnToColumn].push_back(markFor(onColumns > 0));
    }
    return a;
}

} // namespace quintara
