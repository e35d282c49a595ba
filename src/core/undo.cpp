#include "core/undo.h"

#include "core/gamestate.h"
#include "core/shell.h"

namespace quintara {

void MoveUndo1Click(GameState &state, Shell &shell)
{
    if (!state.flags.GameInProgress || !state.flags.UndoAvailable)
        return;
    // The restored position is not played on by itself until the player moves.
    state.flags.AutoMoveHold = true;
    state.paint.PaintSuspended = false;
    state.flags.UndoEnabled = false;
    state.table = state.undo;
    state.flags.UndoAvailable = false;

    state.paint.TableReplaced();
    shell.ClearDetailsPanel(false);
    shell.Repaint(PaintSender::MoveUndo1);
}

void UndoBtn1Click(GameState &state, Shell &shell)
{
    if (state.flags.UndoEnabled)
        MoveUndo1Click(state, shell);
}

} // namespace quintara
