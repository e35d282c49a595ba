#include "core/gamestate.h"

namespace quintara {

void ResetTable(GameState &state)
{
    state.held.PickedFrom = FromNothing;
    state.table.CardsHome = {};
    state.table.Columns = {};
    state.undo = {};
    state.paint.ColumnDirty.fill(true);

    const TableLayout &l = state.Layout;
    state.table.Cells = {};
    for (int i = 0; i < CellCount; ++i) {
        state.table.Cells[i].X = l.TableMargin + i * l.CardWidth + 1;
        state.table.Cells[i].Y = l.TableMargin + 1;
    }
    state.table.Foundations = {};
    for (int p = 0; p < PileCount; ++p) {
        state.table.Foundations[p].X = l.FoundationLeft + p * l.CardWidth + 1;
        state.table.Foundations[p].Y = l.TableMargin + 1;
    }
}

void TakeSnapshot(GameState &state)
{
    state.flags.UndoEnabled = false;
    state.undo = state.table;
    state.flags.UndoAvailable = true;
}

} // namespace quintara
