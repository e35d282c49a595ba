#pragma once
// Draws the counted moves into the information panel under the tableau.
// The panel keeps what earlier analyses drew: a counter is written only when
// it found something, so one that falls back to zero, and an old comment,
// stay until the frame is next drawn afresh. Copying the panel to the window
// is the caller's business: the panel's part that was drawn on is returned.

#include <QImage>
#include <QRegion>

#include "core/analysis.h"
#include "table/layout.h"

namespace quintara {

// Where the pieces of the panel lie, from its top left corner. Texts are
// placed by the top left of their box.
namespace analysis_panel {
inline constexpr int HeadingY = 4;
inline constexpr int UpperY = HeadingY + 33;         // upper counters, "Celle libere"
inline constexpr int LowerY = UpperY + 55;           // lower counters
inline constexpr int MarkDrop = 22;                  // marks lie this far below their counter
inline constexpr int CellsX = 130;                   // the two rows of the free cells
inline constexpr int TableauX = 270;                 // the two rows of the columns
inline constexpr int CommentX = 440;
inline constexpr int CommentY1 = UpperY + 27;
inline constexpr int CommentY2 = UpperY + 54;
inline constexpr int BoxLeft = 6;                    // the picture of the free cells
inline constexpr int BoxTop = HeadingY + 56;
inline constexpr int BoxStep = 21;
inline constexpr int BoxWidth = 20;
inline constexpr int BoxHeight = 24;
inline constexpr int MarkSize = 10;
inline constexpr int MarkStep = 16;

// The counter of each kind, and its marks in a row beneath it: mark j has
// its top left corner at (MarkX, MarkY).
int CounterX(MoveKind kind);
int CounterY(MoveKind kind);
inline int MarkX(MoveKind kind, int j) { return CounterX(kind) + j * MarkStep; }
inline int MarkY(MoveKind kind) { return CounterY(kind) + MarkDrop; }
} // namespace analysis_panel

QRegion DrawMoveAnalysis(QImage &infoPanel, const MoveAnalysis &analysis, Rgb tableColour);

} // namespace quintara
