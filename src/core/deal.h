#pragma once
// The program's own generator, the shuffle and the deal: one seed always
// gives one and the same deal.

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

#include "core/table.h"

namespace quintara {

struct GameState;

class RandomGenerator {
public:
    void SeedRandom(std::uint32_t seed) { RandomState = seed; }
    // A value 0..32767.
    int NextRandom()
    {
        RandomState = RandomState * 22695477u + 1u;
        return static_cast<int>((RandomState >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t RandomState = 0;
};

// Builds the deck suit by suit and draws it without replacement into `deck`;
// `cardsLeft` counts the cards drawn (52). Always succeeds.
bool BuildAndShuffleDeck(RandomGenerator &random, std::array<CardCode, DeckSize> &deck,
                         std::int32_t &cardsLeft);

// Lays the deck out row by row on a table cleared by ResetTable.
void DealDeck(GameState &state);

// The three steps of a new game after the reset: seed, shuffle, deal.
void ShuffleAndDeal(GameState &state, std::uint32_t seed);

// The deal of `seed` on an empty table, its slots not yet placed: the cards
// exactly as ShuffleAndDeal lays them.
Table DealtTable(std::uint32_t seed);

// A deal is known by its seed; the player reads it on the table and types it
// back to play that deal again or to share it.
inline constexpr std::uint32_t LastDealNumber = 4294967295u;

// "Partita n. 1765200000".
QString DealTitle(std::uint32_t seed);

// The number the player typed, blanks around it allowed; nullopt with
// `error` saying in Italian what is wrong with it.
std::optional<std::uint32_t> ParseDealNumber(const QString &text, QString &error);

} // namespace quintara
