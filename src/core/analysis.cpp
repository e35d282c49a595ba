#include "core/analysis.h"

#include <algorithm>

#include "core/gamestate.h"
#include "core/shell.h"

namespace quintara {

namespace {

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

    MoveAnalysis a = CountMoves(state.table, state.deal.GamePileSuit);

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
