#pragma once
// Taking back the last move, one level deep: the position copied when the
// player picked up a card is copied back, together with every automatic move
// that followed that move.

namespace quintara {

struct GameState;
class Shell;

// Restores the copy, if there is one, and holds the automatic moves until the
// player's next move that releases them.
void MoveUndo1Click(GameState &state, Shell &shell);

// The button beside the table: acts only while the undo command is enabled.
void UndoBtn1Click(GameState &state, Shell &shell);

} // namespace quintara
