#pragma once
// The one way a player's move enters the game. The pointer turns pixels into
// places and calls these; so can the keyboard and the replay of a game's
// record. Each call judges the move by the rules, asks "more than one card"
// when the rules offer a run, writes the move texts, carries the move out
// through ApplyMove with the undo copy taken at the pick-up, and ends the hold.

#include <optional>

#include <QString>

#include "core/gamestate.h"
#include "core/rules.h"
#include "core/shell.h"

namespace quintara {

// What became of a move asked for: nothing (the card is still held, the
// player may try another place), made, or refused with the card put back.
enum class MoveOutcome { Stay, Moved, PutBack };

// Picks up the card of a free cell or the top card of a column: takes the
// undo copy, highlights the card and tells which card it is. False when the
// place holds no card or a card is already held.
bool PickUp(GameState &state, Shell &shell, Place fromKind, int from);

// Moves the held card to free cell, pile or column `to`. `narrator` hears
// the column count while the move-details panel is shown. The question, when
// the rules bring it, is asked of the player unless `answer` gives the reply.
MoveOutcome MoveHeldCard(GameState &state, Shell &shell, Place toKind, int to, CountObserver *narrator = nullptr,
                         std::optional<bool> answer = std::nullopt);

// Puts the held card back where it was and ends the hold without a move.
void PutBackHeldCard(GameState &state, Shell &shell);

// A whole move from one place to another: the pick-up, then the move; a
// move the rules do not allow puts the card back.
MoveOutcome PlayerMove(GameState &state, Shell &shell, Place fromKind, int from, Place toKind, int to);
// The same for a move given as a value: nothing happens unless IsLegal allows
// it exactly, and its `answerYes` is the answer to the question.
MoveOutcome PlayerMove(GameState &state, Shell &shell, const Move &move);

// The move texts are shown only for a player who asked for them.
void TellMove(const GameState &state, Shell &shell, int panel, const QString &text);

} // namespace quintara
