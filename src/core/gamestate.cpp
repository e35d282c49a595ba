#include "core/gamestate.h"

namespace quintara {

void ResetTable(GameState &state)
{
    state.held.PickedFrom = FromNothing;
    state.table.CardsHome = {};
    state.table.Columns = {};
    state.undo = {};
    state.paint.TableReplaced();

    state.table.Cells = {};
    state.table.Foundations = {};
    PlaceCellsAndPiles(state.table, state.Layout);
}

void PlaceCellsAndPiles(Table &table, const TableLayout &layout)
{
    for (int i = 0; i < CellCount; ++i) {
        table.Cells[i].X = CellLeft(layout, i);
        table.Cells[i].Y = CellRowTop(layout);
    }
    for (int p = 0; p < PileCount; ++p) {
        table.Foundations[p].X = PileLeft(layout, p);
        table.Foundations[p].Y = CellRowTop(layout);
    }
}

void PlaceColumns(Table &table, const TableLayout &layout, int columnGap)
{
    for (int c = 0; c < ColumnCount; ++c) {
        for (int slot = 0; slot < SlotCount; ++slot) {
            table.Columns[c].X[slot] = ColumnLeft(layout, columnGap, c);
            table.Columns[c].Y[slot] = RowTop(layout, slot);
        }
    }
}

void PlaceSlots(Table &table, const TableLayout &layout, int columnGap)
{
    PlaceCellsAndPiles(table, layout);
    PlaceColumns(table, layout, columnGap);
}

void TakeSnapshot(GameState &state)
{
    state.flags.UndoEnabled = false;
    state.undo = state.table;
    state.flags.UndoAvailable = true;
}

void TakeReplayedTables(GameState &state, const ReplayedGame &game)
{
    state.table = game.table;
    state.undo = game.undo;
    PlaceSlots(state.table, state.Layout, state.deal.ColumnGap);
    PlaceSlots(state.undo, state.Layout, state.deal.ColumnGap);
    state.paint.TableReplaced();
}

} // namespace quintara
