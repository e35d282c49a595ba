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
    l.RowStep = 18;

    int i = 0;
    int y = 2 * l.TableMargin + l.CardHeight;
    for (int row = 0; row < 7; ++row) {
        int x = l.TableMargin - 1;
        for (int c = 0; c < ColumnCount && i < state.CardsLeft; ++c) {
            TableColumn &column = state.Columns[c];
            column.Occupied[row] = 1;
            column.X[row] = x;
            column.Y[row] = y;
            column.Card[row] = state.Deck[i];
            column.DrawMode[row] = DrawNormal;
            ++i;
            x += l.CardWidth + l.ColumnGap;
        }
        y += l.RowStep;
    }
    state.GameInProgress = true;
}

void ShuffleAndDeal(GameState &state, std::uint32_t seed)
{
    RandomGenerator random;
    random.SeedRandom(seed);
    state.DeckDealt = BuildAndShuffleDeck(random, state.Deck, state.CardsLeft);
    if (state.DeckDealt)
        DealDeck(state);
}

} // namespace quintara
