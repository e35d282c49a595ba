#pragma once
// Counting the moves still possible, in four kinds, after every step of the
// game; a position with none of them and no free place is a lost game.

#include <array>
#include <vector>

namespace quintara {

struct GameState;
class Shell;

// The four kinds of move the analysis counts, in the order it counts them.
enum MoveKind { CellsToPiles = 0, CellsToTableau = 1, TableauToPiles = 2, ColumnToColumn = 3 };

enum class MoveMark { Found, NotFound, Neutral };

enum class AnalysisComment { None, Greeting, Lost, Warning };

struct MoveAnalysis {
    std::array<int, 4> counts{};
    std::array<bool, 4> found{};
    // One mark per source in each row: four for the cell rows, eight for the tableau rows.
    std::array<std::vector<MoveMark>, 4> marks;
    std::array<bool, 4> cellOccupied{};
    int room = 0;                       // empty free cells + empty columns
    AnalysisComment comment = AnalysisComment::None;
    bool redrawFrame = false;           // headings and zero counters drawn afresh
};

// Counts the moves, gives the lost verdict, and shows the result when asked.
void AnalyseMoves(GameState &state, Shell &shell);

} // namespace quintara
