#pragma once
// Counting the moves still possible, in four kinds, after every step of the
// game; a position with none of them and no free place is a lost game. The
// count is pure logic over the table; the panel that shows it is drawn by
// the window (analysispanel.h) from the MoveAnalysis handed over here.

#include <array>
#include <vector>

#include "core/table.h"

namespace quintara {

struct GameState;
class Shell;

// The four kinds of move the analysis counts, in the order it counts them.
enum MoveKind { CellsToPiles = 0, CellsToTableau = 1, TableauToPiles = 2, ColumnToColumn = 3 };
inline constexpr int MoveKindCount = 4;

// The mark of one source: it has a move of the row's kind, it has none, or
// it is an empty column that was not tried.
enum class MoveMark { Found, NotFound, Neutral };

enum class AnalysisComment { None, Greeting, Lost, Warning };

struct MoveAnalysis {
    // Moves found of each kind.
    std::array<int, MoveKindCount> counts{};
    // One mark per source, in the order counted: the four free cells in the
    // two cell rows, the eight columns in the two tableau rows.
    std::array<std::vector<MoveMark>, MoveKindCount> marks;
    std::array<bool, CellCount> cellOccupied{};
    int room = 0;                       // empty free cells + empty columns
    AnalysisComment comment = AnalysisComment::None;
    bool redrawFrame = false;           // clear the panel, draw headings and zero counters

    bool FoundMove(MoveKind kind) const { return counts[kind] > 0; }
};

// Counts the moves and, with no free place and no move left, declares the
// game lost. With the panel shown the result goes to the shell to be drawn.
// Does nothing while the player holds a card.
void AnalyseMoves(GameState &state, Shell &shell);

// "&Mostra le mosse" and the button "Mostra": show or hide the panel.
void MoveShow1Click(GameState &state, Shell &shell);
void ShowBtn1Click(GameState &state, Shell &shell);

} // namespace quintara
