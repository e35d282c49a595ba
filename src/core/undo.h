#pragma once
// Taking back the last move: the position copied when the player picked up a
// card is copied back, together with every automatic move that followed that
// move. One level deep, or, with "Cancella più mosse", move after move back
// to the deal, the game's record giving each position before.

namespace quintara {

struct GameState;
class Shell;

// Restores the copy, if there is one, and holds the automatic moves until the
// player's next move that releases them.
void MoveUndo1Click(GameState &state, Shell &shell);

// Whether undo is offered now: right after a move, or, with "Cancella più
// mosse", while a move of the game is left to take back.
bool UndoOffered(const GameState &state, bool justMoved);

// The button beside the table: acts only while the undo command is enabled.
void UndoBtn1Click(GameState &state, Shell &shell);

} // namespace quintara
