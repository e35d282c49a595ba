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
        state.table.Cells[i].X = CellLeft(l, i);
        state.table.Cells[i].Y = CellRowTop(l);
    }
    state.table.Foundations = {};
    for (int p = 0; p < PileCount; ++p) {
        state.table.Foundations[p].X = PileLeft(l, p);
        state.table.Foundations[p].Y = CellRowTop(l);
    }
}

void TakeSnapshot(GameState &state)
{
    state.flags.UndoEnabled = false;
    state.undo = state.table;
    state.flags.UndoAvailable = true;
}

} // namespace quintara
