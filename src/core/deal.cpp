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

namespace {

void LayDeck(Table &table, const std::array<CardCode, DeckSize> &deck)
{
    // Nothing is home yet: the level starts at the twos.
    table.CardsHome = {};
    table.FoundationLevel = 1;
    for (int i = 0; i < table.CardsLeft; ++i) {
        TableColumn &column = table.Columns[i % ColumnCount];
        const int row = i / ColumnCount;
        column.Occupied[row] = 1;
        column.Card[row] = deck[i];
        column.DrawMode[row] = DrawNormal;
    }
}

} // namespace

void DealDeck(GameState &state)
{
    state.deal.ColumnGap = state.Settings.ColumnSpacing;

    // Every slot gets its place now, so a move only ever moves cards.
    PlaceColumns(state.table, state.Layout, state.deal.ColumnGap);
    LayDeck(state.table, state.deal.Deck);
    state.flags.GameInProgress = true;
}

Table DealtTable(std::uint32_t seed)
{
    RandomGenerator random;
    random.SeedRandom(seed);
    std::array<CardCode, DeckSize> deck{};
    Table table;
    BuildAndShuffleDeck(random, deck, table.CardsLeft);
    LayDeck(table, deck);
    return table;
}

QString DealTitle(std::uint32_t seed)
{
    return QStringLiteral("Partita n. %1").arg(seed);
}

std::optional<std::uint32_t> ParseDealNumber(const QString &text, QString &error)
{
    const QString digits = text.trimmed();
    const QString range = QStringLiteral("da 0 a %1").arg(LastDealNumber);
    if (digits.isEmpty()) {
        error = QStringLiteral("Scrivi il numero della partita, %1.").arg(range);
        return std::nullopt;
    }
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') {
            error = QStringLiteral("Il numero della partita si scrive con le sole cifre, %1.").arg(range);
            return std::nullopt;
        }
    }
    // Leading zeros are harmless; past ten digits the number is too large anyway.
    qsizetype first = 0;
    while (first + 1 < digits.size() && digits[first] == u'0')
        ++first;
    const QStringView significant = QStringView(digits).mid(first);
    bool ok = false;
    const qulonglong value = significant.size() <= 10 ? significant.toULongLong(&ok) : 0;
    if (!ok || value > LastDealNumber) {
        error = QStringLiteral("Il numero è troppo grande: le partite vanno %1.").arg(range);
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
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
