#include "moves/rules.h"

#include <algorithm>

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

} // namespace quintara
