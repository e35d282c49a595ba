#pragma once
// The analysis after every step of the game: the moves still possible are
// counted by the rules (CountMoves in core/rules.h), and a position with
// none of them and no free place is a lost game. The panel that shows the
// count is drawn by the window (table/analysispanel.h) from the MoveAnalysis
// handed over here.

#include "core/rules.h"

namespace quintara {

struct GameState;
class Shell;

// Counts the moves and, with no free place and no move left, declares the
// game lost. With the panel shown the result goes to the shell to be drawn.
// Does nothing while the player holds a card.
void AnalyseMoves(GameState &state, Shell &shell);

// "&Mostra le mosse" and the button "Mostra": show or hide the panel.
void MoveShow1Click(GameState &state, Shell &shell);
void ShowBtn1Click(GameState &state, Shell &shell);

} // namespace quintara
