#include "table/analysis.h"

#include <algorithm>
#include <optional>

#include "core/gamestate.h"
#include "core/shell.h"
#include "moves/rules.h"

namespace quintara {

namespace {

MoveMark markFor(bool found)
{
    return found ? MoveMark::Found : MoveMark::NotFound;
}

// Piles that take the card; normally at most one.
int acceptingPiles(const GameState &state, CardCode card)
{
    int piles = 0;
    for (int p = 0; p < PileCount; ++p)
        if (CanGoToFoundation(state.table, state.deal.GamePileSuit, p, card))
            ++piles;
    return piles;
}

// Columns with cards that take the source, under the same limits as the drop:
// a group no larger than the capacity, and room in the destination column.
// Empty columns are not tried: a move there is always possible and tells the
// player nothing.
int acceptingColumns(const GameState &state, const MoveSource &source, int capacity)
{
    int columns = 0;
    for (int t = 0; t < ColumnCount; ++t) {
        if (source.From == FromColumn && t == source.Index)
            continue;
        const std::optional<int> top = TopSlot(state.table.Columns[t]);
        if (!top)
            continue;
        const int n = ColumnMoveCount(state.table, source, t, *top);
        if (n != 0 && n <= capacity && ColumnHasRoom(*top, n))
            ++columns;
    }
    return columns;
}

MoveAnalysis countMoves(const GameState &state)
{
    MoveAnalysis a;
    a.room = CountEmptyCells(state.table) + CountEmptyColumns(state.table);
    const int capacity = MoveCapacity(state.table);

    for (int k = 0; k < CellCount; ++k) {
        const SlotRecord &cell = state.table.Cells[k];
        a.cellOccupied[k] = cell.Occupied != 0;
        int home = 0;
        int onTableau = 0;
        if (cell.Occupied) {
            home = acceptingPiles(state, cell.Card);
            onTableau = acceptingColumns(state, {FromCell, k, 0, cell.Card}, capacity);
        }
        a.counts[CellsToPiles] += home;
        a.counts[CellsToTableau] += onTableau;
        a.marks[CellsToPiles].push_back(markFor(home > 0));
        a.marks[CellsToTableau].push_back(markFor(onTableau > 0));
    }

    for (int c = 0; c < ColumnCount; ++c) {
        const std::optional<int> top = TopSlot(state.table.Columns[c]);
        if (!top) {
            a.marks[TableauToPiles].push_back(MoveMark::Neutral);
            a.marks[ColumnToColumn].push_back(MoveMark::Neutral);
            continue;
        }
        const CardCode card = state.table.Columns[c].Card[*top];
        const int home = acceptingPiles(state, card);
        const int onColumns = acceptingColumns(state, {FromColumn, c, *top, card}, capacity);
        a.counts[TableauToPiles] += home;
        a.counts[ColumnToColumn] += onColumns;
        a.marks[TableauToPiles].push_back(markFor(home > 0));
        a.marks[ColumnToColumn].push_back(markFor(onColumns > 0));
    }
    return a;
}

bool anyMoveFound(const MoveAnalysis &a)
{
    return std::any_of(a.counts.begin(), a.counts.end(), [](int count) { return count > 0; });
}

void toggleAnalysisPanel(GameState &state, Shell &shell, PaintSender sender)
{
    if (!state.flags.GameInProgress || state.flags.DetailsShown)
        return;
    state.flags.ShowMoves = !state.flags.ShowMoves;
    if (state.flags.ShowMoves) {
        AnalyseMoves(state, shell);
        return;
    }
    // The panel covered the lower part of the columns: bring them back.
    shell.ResetInfoPanel();
    state.paint.ColumnDirty.fill(true);
    shell.Repaint(sender);
}

} // namespace

void AnalyseMoves(GameState &state, Shell &shell)
{
    if (state.held.PickedFrom != FromNothing)
        return;

    MoveAnalysis a = countMoves(state);

    // A free cell or an empty column always leaves a move, even one the count
    // does not show, so only a table without either can be lost.
    if (a.room != 0) {
        // Before the first move of the game (or after an undo) the player is greeted.
        if (state.flags.AutoMoveHold)
            a.comment = AnalysisComment::Greeting;
    } else if (!anyMoveFound(a)) {
        a.comment = AnalysisComment::Lost;
        state.flags.MovesLeft = false;
        state.flags.AnalysisOn = false;
        state.flags.UndoEnabled = false;
        state.flags.FinishEnabled = false;
        shell.SetButtonEnabled(Button::UndoBtn1, false);
    } else {
        a.comment = AnalysisComment::Warning;
    }

    if (!state.flags.ShowMoves)
        return;
    a.redrawFrame = state.panels.PanelNeedsRedraw;
    state.panels.PanelNeedsRedraw = false;
    shell.ShowAnalysis(a);
}

void MoveShow1Click(GameState &state, Shell &shell)
{
    toggleAnalysisPanel(state, shell, PaintSender::MoveShow1);
}

void ShowBtn1Click(GameState &state, Shell &shell)
{
    toggleAnalysisPanel(state, shell, PaintSender::ShowBtn1);
}

} // namespace quintara
