#include "solver/positionkey.h"

#include "core/automove.h"

namespace quintara {

namespace {

// What a card's six bits say about it.
constexpr unsigned TopOfColumn = 52;
constexpr unsigned InCell = 53;
constexpr unsigned AtHome = 54;
constexpr unsigned BitsPerCard = 6;
constexpr unsigned HoldBit = DeckSize * BitsPerCard;

void Put(PositionKey &key, CardCode card, unsigned value)
{
    const unsigned bit = static_cast<unsigned>(card) * BitsPerCard;
    const unsigned word = bit / 64;
    const unsigned shift = bit % 64;
    key.word[word] |= static_cast<std::uint64_t>(value) << shift;
    if (shift > 64 - BitsPerCard)
        key.word[word + 1] |= static_cast<std::uint64_t>(value) >> (64 - shift);
}

unsigned Get(const PositionKey &key, CardCode card)
{
    const unsigned bit = static_cast<unsigned>(card) * BitsPerCard;
    const unsigned word = bit / 64;
    const unsigned shift = bit % 64;
    std::uint64_t value = key.word[word] >> shift;
    if (shift > 64 - BitsPerCard)
        value |= key.word[word + 1] << (64 - shift);
    return static_cast<unsigned>(value & ((1u << BitsPerCard) - 1));
}

} // namespace

PositionKey EncodePosition(const Table &table, bool autoMoveHold)
{
    std::array<unsigned, DeckSize> where;
    where.fill(AtHome);
    for (const TableColumn &column : table.Columns) {
        const int top = TopSlot(column).value_or(-1);
        for (int slot = 0; slot <= top; ++slot)
            where[column.Card[slot]] = slot < top ? static_cast<unsigned>(column.Card[slot + 1]) : TopOfColumn;
    }
    for (const SlotRecord &cell : table.Cells) {
        if (cell.Occupied != 0)
            where[cell.Card] = InCell;
    }
    PositionKey key;
    for (CardCode card = 0; card < DeckSize; ++card)
        Put(key, card, where[card]);
    if (autoMoveHold)
        key.word[HoldBit / 64] |= std::uint64_t{1} << (HoldBit % 64);
    return key;
}

void DecodePosition(const PositionKey &key, const PileSuitOrder &pileSuit, Table &table,
                    bool &autoMoveHold)
{
    table = Table{};
    std::array<unsigned, DeckSize> where{};
    std::array<bool, DeckSize> covers{};   // the card lies on another one
    for (CardCode card = 0; card < DeckSize; ++card) {
        where[card] = Get(key, card);
        if (where[card] < TopOfColumn)
            covers[where[card]] = true;
    }

    int column = 0;
    int cell = 0;
    int home = 0;
    std::array<int, 4> homeTop{-1, -1, -1, -1};
    for (CardCode card = 0; card < DeckSize; ++card) {
        if (where[card] == InCell) {
            table.Cells[cell].Card = card;
            table.Cells[cell++].Occupied = 1;
        } else if (where[card] == AtHome) {
            table.CardsHome[Rank(card)][Suit(card)] = 1;
            homeTop[Suit(card)] = Rank(card);
            ++home;
        } else if (!covers[card] && column < ColumnCount) {
            // A bottom card: its column follows from what lies on each card.
            TableColumn &cards = table.Columns[column++];
            CardCode next = card;
            for (int slot = 0; slot < SlotCount; ++slot) {
                cards.Card[slot] = next;
                cards.Occupied[slot] = 1;
                if (where[next] >= TopOfColumn)
                    break;
                next = static_cast<CardCode>(where[next]);
            }
        }
    }
    table.CardsLeft = DeckSize - home;
    for (int p = 0; p < PileCount; ++p) {
        const int rank = homeTop[pileSuit[p]];
        if (rank >= 0) {
            table.Foundations[p].Card = MakeCard(rank, pileSuit[p]);
            table.Foundations[p].Occupied = 1;
        }
    }
    UpdateFoundationLevel(table);
    autoMoveHold = (key.word[HoldBit / 64] >> (HoldBit % 64)) & 1u;
}

std::uint64_t HashKey(const PositionKey &key)
{
    std::uint64_t hash = 0x243F6A8885A308D3ull;
    for (std::uint64_t word : key.word) {
        hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
        hash ^= hash >> 31;
    }
    return hash;
}

} // namespace quintara
