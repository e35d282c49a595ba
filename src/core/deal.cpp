#include "core/deal.h"

#include "core/gamestate.h"

namespace quintara {

bool BuildAndShuffleDeck(RandomGenerator &random, std::array<CardCode, DeckSize> &deck,
                         std::int32_t &cardsLeft)
{
    std::array<CardCode, DeckSize> source{};
    int n = 0;
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 0; rank < RankCount; ++rank)
            source[n++] = MakeCard(rank, suit);
    }

    // Draw without replacement; the last card of the shortened list fills the hole.
    cardsLeft = 0;
    do {
        const int r = random.NextRandom() % n;
        --n;
        deck[cardsLeft++] = source[r];
        source[r] = source[n];
    } while (n > 0);
    return true;
}

void DealDeck(GameState &state)
{
    TableLayout &l = state.Layout;
    l.ColumnGap = state.Settings.ColumnSpacing;
    l.RowStep = DealtRowStep;

    // Every slot gets its place now, so a move only ever moves cards.
    for (int c = 0; c < ColumnCount; ++c) {
        TableColumn &column = state.table.Columns[c];
        for (int slot = 0; slot < SlotCount; ++slot) {
            column.X[slot] = ColumnLeft(l, c);
            column.Y[slot] = RowTop(l, slot);
        }
    }
    for (int i = 0; i < state.table.CardsLeft; ++i) {
        TableColumn &column = state.table.Columns[i % ColumnCount];
        const int row = i / ColumnCount;
        column.Occupied[row] = 1;
        column.Card[row] = state.deal.Deck[i];
        column.DrawMode[row] = DrawNormal;
    }
    state.flags.GameInProgress = true;
}

void ShuffleAndDeal(GameState &state, std::uint32_t seed)
{
    RandomGenerator random;
    random.SeedRandom(seed);
    state.flags.DeckDealt = BuildAndShuffleDeck(random, state.deal.Deck, state.table.CardsLeft);
    if (state.flags.DeckDealt)
        DealDeck(state);
}

} // namespace quintara
