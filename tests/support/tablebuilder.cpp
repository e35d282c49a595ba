#include "support/tablebuilder.h"

#include <stdexcept>
#include <string>

#include "table/layout.h"

namespace quintara::test {

CardCode Card(std::string_view text)
{
    if (text.size() < 2)
        throw std::invalid_argument(std::string(text));
    const std::string_view rank = text.substr(0, text.size() - 1);
    const char suitChar = text.back();
    static constexpr std::string_view suits = "cqpf";
    const auto suit = suits.find(suitChar);
    int r = -1;
    if (rank == "A")
        r = 0;
    else if (rank == "F")
        r = 10;
    else if (rank == "D")
        r = 11;
    else if (rank == "R")
        r = 12;
    else
        r = std::stoi(std::string(rank)) - 1;
    if (suit == std::string_view::npos || r < 0 || r > 12)
        throw std::invalid_argument(std::string(text));
    return MakeCard(r, static_cast<int>(suit));
}

GameState MakeState(int screenWidth, bool origCardSize, int columnSpacing)
{
    GameState state;
    LayoutInput input;
    input.screenWidth = screenWidth;
    input.clientWidth = screenWidth;
    input.clientHeight = screenWidth >= 1024 ? 768 : 600;
    input.origCardSize = origCardSize;
    state.Settings.OrigCardSize = origCardSize;
    state.Settings.ColumnSpacing = columnSpacing;
    state.deal.ColumnGap = columnSpacing;
    state.Layout = ComputeLayout(input);
    ResetTable(state);
    state.table.FoundationLevel = 1;
    state.table.CardsLeft = DeckSize;
    return state;
}

void SetColumnCards(GameState &state, int column, const std::vector<CardCode> &cards)
{
    TableColumn &col = state.table.Columns[column];
    col = {};
    for (int slot = 0; slot < SlotCount; ++slot) {
        col.X[slot] = ColumnLeft(state.Layout, state.deal.ColumnGap, column);
        col.Y[slot] = RowTop(state.Layout, slot);
    }
    for (std::size_t slot = 0; slot < cards.size(); ++slot) {
        col.Occupied[slot] = 1;
        col.Card[slot] = cards[slot];
    }
}

void SetColumn(GameState &state, int column, std::initializer_list<std::string_view> cards)
{
    std::vector<CardCode> codes;
    for (std::string_view c : cards)
        codes.push_back(Card(c));
    SetColumnCards(state, column, codes);
}

void SetCell(GameState &state, int cell, std::string_view card)
{
    state.table.Cells[cell].Occupied = 1;
    state.table.Cells[cell].Card = Card(card);
    state.table.Cells[cell].DrawMode = DrawNormal;
}

void SetPile(GameState &state, int pile, std::string_view topCard)
{
    const CardCode top = Card(topCard);
    state.table.Foundations[pile].Occupied = 1;
    state.table.Foundations[pile].Card = top;
    for (int r = 0; r <= Rank(top); ++r)
        state.table.CardsHome[r][Suit(top)] = 1;
    --state.table.CardsLeft;
    state.table.CardsLeft -= Rank(top);
}

} // namespace quintara::test
