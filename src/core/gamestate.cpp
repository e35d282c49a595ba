#include "core/gamestate.h"

namespace quintara {

void ResetTable(GameState &state)
{
    state.PickedFrom = FromNothing;
    state.CardsHome = {};
    state.Columns = {};
    state.UndoColumns = {};
    state.ColumnDirty.fill(true);

    const TableLayout &l = state.Layout;
    state.Cells = {};
    state.UndoCells = {};
    for (int i = 0; i < CellCount; ++i) {
        state.Cells[i].X = l.TableMargin + i * l.CardWidth + 1;
        state.Cells[i].Y = l.TableMargin + 1;
    }
    state.Foundations = {};
    state.UndoFoundations = {};
    for (int p = 0; p < PileCount; ++p) {
        state.Foundations[p].X = l.FoundationLeft + p * l.CardWidth + 1;
        state.Foundations[p].Y = l.TableMargin + 1;
    }
}

void TakeSnapshot(GameState &state)
{
    state.UndoEnabled = false;
    state.UndoCells = state.Cells;
    state.UndoFoundations = state.Foundations;
    state.UndoColumns = state.Columns;
    state.UndoCardsHome = state.CardsHome;
    state.UndoLevel = state.FoundationLevel;
    state.UndoCardsLeft = state.CardsLeft;
    state.UndoAvailable = true;
}

} // namespace quintara
