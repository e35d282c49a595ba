#pragma once
// Short ways to set up positions in tests. Cards are written as rank then
// suit: "A", "2".."10", "F", "D", "R" and c(uori), q(uadri), p(icche), f(iori),
// so "9p" is the nine of spades and "Rc" the king of hearts.

#include <initializer_list>
#include <string_view>
#include <vector>

#include "core/gamestate.h"

namespace quintara::test {

CardCode Card(std::string_view text);

// A reset table with the layout of a screen of the given width and 768 rows.
GameState MakeState(int screenWidth = 1024, bool origCardSize = true, int columnSpacing = 12);

// Lays the cards into column c from slot 0 up, at the dealt positions, and
// empties the rest of the column.
void SetColumn(GameState &state, int column, std::initializer_list<std::string_view> cards);
void SetColumnCards(GameState &state, int column, const std::vector<CardCode> &cards);
void SetCell(GameState &state, int cell, std::string_view card);
// Puts the pile's top card and marks it and every lower card of its suit home.
void SetPile(GameState &state, int pile, std::string_view topCard);

} // namespace quintara::test
