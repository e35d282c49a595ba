#include "core/undo.h"

#include "core/gamestate.h"
#include "core/shell.h"

namespace quintara {

namespace {

// The position before the last move the record keeps, from a replay of it.
bool UndoFromRecord(GameState &state)
{
    state.record.entries.push_back(Recorded(RecordStep::Undo));
    const std::optional<ReplayedGame> game = ReplayRecord(state.record);
    if (!game) {
        state.record.entries.pop_back();
        return false;
    }
    TakeReplayedTables(state, *game);
    state.flags.UndoAvailable = game->undoDepth > 0;
    return true;
}

} // namespace

bool UndoOffered(const GameState &state, bool justMoved)
{
    if (state.Settings.UndoToDeal && state.record.deal)
        return UndoDepth(state.record) > 0;
    return justMoved && state.flags.UndoAvailable;
}

void MoveUndo1Click(GameState &state, Shell &shell)
{
    if (!state.flags.GameInProgress)
        return;
    if (state.Settings.UndoToDeal && state.record.deal) {
        if (!UndoFromRecord(state))
            return;
    } else {
        if (!state.flags.UndoAvailable)
            return;
        state.table = state.undo;
        state.flags.UndoAvailable = false;
        state.record.entries.push_back(Recorded(RecordStep::Undo));
    }
    // The restored position is not played on by itself until the player moves.
    state.flags.AutoMoveHold = true;
    state.paint.PaintSuspended = false;
    state.flags.UndoEnabled = UndoOffered(state, false);

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
