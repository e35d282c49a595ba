#pragma once
// The card table: how a card is encoded and named, the eight columns, the
// four free cells, the four foundation piles and the cards already home.
// Plain records, read and written directly by the game's operations.

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

#include "cards/moduleformat.h"

namespace quintara {

// A card is rank * 4 + suit: rank 0 = ace .. 12 = king, suits 0/1 red, 2/3 black.
using CardCode = std::int32_t;

inline constexpr int ColumnCount = 8;
inline constexpr int SlotCount = 18;
inline constexpr int CellCount = 4;
inline constexpr int PileCount = 4;
inline constexpr int DeckSize = 52;
inline constexpr int RankCount = cardmodule::RankCount;
// Destination slot that stands for "the column holds no card".
inline constexpr int EmptyColumnSlot = 18;
// The foundation level at which the game is won.
inline constexpr int WonLevel = 13;

inline constexpr int Rank(CardCode card) { return card >> 2; }
inline constexpr int Suit(CardCode card) { return card & 3; }
// Colour group: 1 red (suits 0 and 1), 2 black (suits 2 and 3).
inline constexpr int Colour(CardCode card) { return Suit(card) < 2 ? 1 : 2; }
inline constexpr CardCode MakeCard(int rank, int suit) { return rank * 4 + suit; }

// How the painter draws a slot.
enum DrawModeValue : std::int32_t {
    DrawNormal = 0,
    DrawPicture = 1,   // Card holds a picture number, not a card
    DrawHighlighted = 2,
    DrawBlank = 4,
};

struct TableColumn {
    std::array<std::uint8_t, SlotCount> Occupied{};
    std::array<std::int32_t, SlotCount> X{};
    std::array<std::int32_t, SlotCount> Y{};
    std::array<CardCode, SlotCount> Card{};
    std::array<std::int32_t, SlotCount> DrawMode{};
    bool operator==(const TableColumn &) const = default;
};

struct SlotRecord {
    std::uint8_t Occupied = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    CardCode Card = 0;
    std::int32_t DrawMode = 0;
    bool operator==(const SlotRecord &) const = default;
};

using ColumnArray = std::array<TableColumn, ColumnCount>;
using SlotArray = std::array<SlotRecord, CellCount>;
// [rank][suit] = the card is home; [rank][4] = the whole rank is home.
using CardsHomeTable = std::array<std::array<std::uint8_t, 5>, RankCount>;
// The suit each foundation pile builds, one per pile from the left.
using PileSuitOrder = std::array<std::int32_t, PileCount>;
inline constexpr PileSuitOrder DefaultPileSuit{0, 1, 2, 3};

// What a position is made of: everything a move or an undo changes.
struct Table {
    ColumnArray Columns{};
    SlotArray Cells{};
    SlotArray Foundations{};
    CardsHomeTable CardsHome{};
    std::int32_t CardsLeft = 0;
    std::int32_t FoundationLevel = 1;
    bool operator==(const Table &) const = default;
};

// The position saved when a card is picked up, restored by undo: a copy of
// the table, so whatever the table holds is taken back with it.
using UndoSnapshot = Table;

inline bool IsWon(const Table &table) { return table.FoundationLevel >= WonLevel; }

// Index of the top occupied slot, scanning from slot 17 down; nullopt when empty.
std::optional<int> TopSlot(const TableColumn &column);
int CountEmptyCells(const Table &table);
int CountEmptyColumns(const Table &table);

QString SuitName(int suit);   // 0..4, 4 = "nessuna"
QString RankName(int rank);   // 0..12
struct CardNamePair {
    QString rank;
    QString suit;
};
CardNamePair CardName(CardCode card);
// "%s di %s" filled with the card's names: "Asso di Cuori".
QString CardText(CardCode card);

// Picture number that an empty pile shows: the card module's mark of its suit.
inline constexpr std::int32_t EmptyPileImage(std::int32_t pileSuit) { return cardmodule::EmptyPileMark(pileSuit); }

} // namespace quintara
