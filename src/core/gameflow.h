#pragma once
// A game from the deal to its end: the new-game command and the game loop
// that runs inside it, the clock, the commands that end a game, and the two
// ends that count in the statistics.

#include <cstdint>

#include "core/record.h"
#include "core/table.h"

namespace quintara {

struct GameState;
class Shell;

// The game's part of the window's creation: flags, the empty table, the
// counters of this run, the spacing, the pile marks and the flight delay.
void InitialiseGame(GameState &state);

// "Nuovo gioco": deals a deck from `seed` and plays it to its end, then any
// deal asked for while it ran.
void NewGame1Click(GameState &state, Shell &shell, std::uint32_t seed);
// "Rigioca la partita" and "Partita numero...": the deal of `seed`. A game on
// the table is first ended as "Finisci il gioco" ends it, after the same
// question; on No it goes on and nothing is dealt.
void PlayDeal(GameState &state, Shell &shell, std::uint32_t seed);
// The deals asked for, one game after the other.
void PlayPendingDeals(GameState &state, Shell &shell);
// Plays on from a given table: it goes on the screen as it is, its cards
// home and its level kept, with its undo copy, the hold of its automatic
// moves and the time already played, `pileSuit` for its piles, and the loop
// of a game runs on it to the game's end. A fresh deal is one way to get a
// table (NewGame1Click deals and runs the loop); a resumed or replayed game
// another. The game's record is the caller's to set.
void PlayTable(GameState &state, Shell &shell, const ReplayedGame &start, const PileSuitOrder &pileSuit);
// A game kept from an earlier run, offered back: "Sì" plays it on from where
// it was, its clock included; "No" ends it as lost, as "Finisci il gioco"
// would. Either way it counts once.
void OfferKeptGame(GameState &state, Shell &shell, const GameRecord &record, const ReplayedGame &game);
// Plays on from where a record leads (`game`, its replay), as its own game:
// a game already counted counts nothing at its end.
void PlayOnFrom(GameState &state, Shell &shell, const GameRecord &record, const ReplayedGame &game);
// "Mostrami come si vince": a game the game finishes counts as lost, as the
// player is told first. True when the way may be shown: the game is on and
// counted (now, or before).
bool AgreeToShowWin(GameState &state, Shell &shell);
// The loop of one game on the table as it stands; returns when the game has ended.
void RunGame(GameState &state, Shell &shell);

void Timer1Timer(GameState &state, Shell &shell);
void Timer2Timer(GameState &state, Shell &shell);

void FinishGame1Click(GameState &state, Shell &shell);
void BitBtn1Click(GameState &state, Shell &shell);
// "Riprendi dopo": the game stops without counting, kept for the next start.
void PutOffGame(GameState &state, Shell &shell);
// The window is asked to close: true lets it close.
bool FormClose(GameState &state, Shell &shell);
void GameExitClick(GameState &state, Shell &shell);

void GameWon(GameState &state, Shell &shell);
void GameFinished(GameState &state, Shell &shell);

// Whether the move-details panel or the analysis gets the panel under the tableau.
void ApplyDetailsMode(GameState &state, Shell &shell);

} // namespace quintara
