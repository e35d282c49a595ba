#include "core/move.h"

namespace quintara {

namespace {

void LayOnSlot(SlotRecord &slot, CardCode card)
{
    slot.Card = card;
    slot.DrawMode = DrawNormal;
    slot.Occupied = 1;
}

} // namespace

void MoveCards(Table &table, const Move &move)
{
    // The deepest card of the group first, so the group keeps its order.
    std::array<CardCode, SlotCount> group{};
    if (move.fromKind == Place::Cell) {
        SlotRecord &cell = table.Cells[move.from];
        group[0] = cell.Card;
        cell.DrawMode = DrawBlank;
        cell.Occupied = 0;
    } else {
        TableColumn &source = table.Columns[move.from];
        const int top = TopSlot(source).value_or(0);
        for (int i = 0; i < move.count; ++i) {
            const int slot = top - (move.count - 1) + i;
            group[i] = source.Card[slot];
            source.DrawMode[slot] = DrawBlank;
            source.Occupied[slot] = 0;
        }
    }

    switch (move.toKind) {
    case Place::Cell:
        LayOnSlot(table.Cells[move.to], group[0]);
        return;
    case Place::Pile:
        LayOnSlot(table.Foundations[move.to], group[0]);
        return;
    case Place::Column:
        break;
    }
    TableColumn &dest = table.Columns[move.to];
    const int first = TopSlot(dest).value_or(-1) + 1;
    for (int i = 0; i < move.count; ++i) {
        dest.Card[first + i] = group[i];
        dest.DrawMode[first + i] = DrawNormal;
        dest.Occupied[first + i] = 1;
    }
}

void CountHome(Table &table, const Move &move)
{
    if (move.toKind != Place::Pile)
        return;
    table.CardsHome[Rank(move.card)][Suit(move.card)] = 1;
    --table.CardsLeft;
}

void ApplyMove(Table &table, const Move &move)
{
    MoveCards(table, move);
    CountHome(table, move);
}

bool ReleasesHold(const Move &move)
{
    if (move.toKind == Place::Cell)
        return move.fromKind == Place::Column;
    return !move.IntoEmptyColumn();
}

void ApplyAndRelease(Table &table, bool &autoMoveHold, const Move &move)
{
    ApplyMove(table, move);
    if (ReleasesHold(move))
        autoMoveHold = false;
}

} // namespace quintara
