#include "core/undo.h"

#include "core/gamestate.h"
#include "core/shell.h"

namespace quintara {

void MoveUndo1Click(GameState &state, Shell &shell)
{
    if (!state.GameInProgress || !state.UndoAvailable)
        return;
    // The restored position is not played on by itself until the player moves.
    state.AutoMoveHold = true;
    state.PaintSuspended = false;
    state.CardsLeft = state.UndoCardsLeft;
    state.FoundationLevel = state.UndoLevel;
    state.UndoEnabled = false;
    state.Cells = state.UndoCells;
    state.Foundations = state.UndoFoundations;
    state.Columns = state.UndoColumns;
    state.CardsHome = state.UndoCardsHome;
    state.UndoAvailable = false;

    state.ColumnDirty.fill(true);
    shell.ClearDetailsPanel(false);
    state.CellRowFrameDirty = true;
    state.FoundationFrameDirty = true;
    shell.Repaint(PaintSender::MoveUndo1);
}

void UndoBtn1Click(GameState &state, Shell &shell)
{
    if (state.UndoEnabled)
        MoveUndo1Click(state, shell);
}

} // namespace quintara
