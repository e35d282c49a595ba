#pragma once
// The solver at the table: from the position the player sees, the first move
// of a winning line, or whether the game can still be won at all, within a
// time limit and until the player does something else.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>

#include <QString>

#include "core/record.h"
#include "core/table.h"
#include "solver/solver.h"

namespace quintara {

enum class HintQuestion {
    NextMove,    // "Suggerimento"
    Winnable,    // "Si può ancora vincere?"
    WhereLost,   // "Dove ho sbagliato?"
    ShowWin,     // "Mostrami come si vince"
};

// How long each question may search, and how many positions it may keep; the
// memory of the search grows with the positions (some 80 bytes each).
struct HintLimits {
    std::chrono::milliseconds time;
    std::int64_t budget;
};
HintLimits LimitsFor(HintQuestion question);

// The position as the table holds it when the player asks: the cards, the
// suits of the piles and whether the automatic moves are held back.
struct HintPosition {
    Table table;
    PileSuitOrder pileSuit{};
    bool autoMoveHold = true;
};

struct HintAnswer {
    Verdict verdict = Verdict::Undecided;
    std::optional<Move> firstMove;   // for Solved: the move to make now
    int lineLength = 0;                    // for Solved: the moves of the line found
    double seconds = 0;                    // wall-clock time searched
    std::vector<Move> line = {};           // for Solved: the whole line
};

// Searches until an answer, the time limit or `cancel`, whichever comes first.
HintAnswer SearchFrom(const HintPosition &position, const HintLimits &limits,
                      const std::atomic<bool> &cancel);

// Along the moves a lost game kept, the last table from which the deal could
// still be won, and the move that left it.
struct LossAnswer {
    enum class Finding { LosingMove, NeverWinnable, StillWinnable, Undecided };
    Finding finding = Finding::Undecided;
    std::size_t moveNumber = 0;   // LosingMove: the move's place among the player's kept moves, from 0
    Move move;                    // ... the move, its cards filled
    std::size_t entry = 0;        // ... its entry in the record
};
// The search of "Dove ho sbagliato?": a few searches of the solver, halving
// the line each time, all within the limits together.
LossAnswer FindLosingMove(const GameRecord &record, const HintLimits &limits, const std::atomic<bool> &cancel);
QString LossText(const LossAnswer &answer, const HintLimits &limits);

// What the status bar says of an answer to "Suggerimento", and the message of
// "Si può ancora vincere?", in the game's words.
QString HintText(const HintAnswer &answer, const HintLimits &limits);
QString WinnableText(const HintAnswer &answer, const HintLimits &limits);
// The status bar's text while the search runs.
QString SearchingText(HintQuestion question);

} // namespace quintara
