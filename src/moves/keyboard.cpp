#include "moves/keyboard.h"

#include <algorithm>
#include <optional>

#include "moves/playermove.h"

namespace quintara {

namespace {

constexpr int RowLength = CellCount + PileCount;

// The place at index i of the top row.
void SetTopRow(KeyFocus &focus, int i)
{
    focus.kind = i < CellCount ? Place::Cell : Place::Pile;
    focus.index = i < CellCount ? i : i - CellCount;
}

int RowIndex(const KeyFocus &focus)
{
    return focus.kind == Place::Pile ? focus.index + CellCount : focus.index;
}

void Step(KeyFocus &focus, int by)
{
    const int i = std::clamp(RowIndex(focus) + by, 0, (focus.kind == Place::Column ? ColumnCount : RowLength) - 1);
    if (focus.kind == Place::Column)
        focus.index = i;
    else
        SetTopRow(focus, i);
}

bool OnHeldPlace(const GameState &state, const KeyFocus &focus)
{
    const Place held = state.held.PickedFrom == FromCell ? Place::Cell : Place::Column;
    return focus.kind == held && focus.index == state.held.PickedIndex;
}

// Space or Enter: the first click picks the card up, the second drops it,
// and a second click on the held card itself puts it back.
void Act(GameState &state, Shell &shell, const KeyFocus &focus, CountObserver *narrator)
{
    if (!state.flags.GameInProgress)
        return;
    if (state.held.PickedFrom == FromNothing) {
        if (focus.kind != Place::Pile)
            PickUp(state, shell, focus.kind, focus.index);
    } else if (OnHeldPlace(state, focus)) {
        PutBackHeldCard(state, shell);
    } else {
        MoveHeldCard(state, shell, focus.kind, focus.index, narrator);
    }
}

} // namespace

void PressTableKey(GameState &state, Shell &shell, KeyFocus &focus, TableKey key, int column,
                   CountObserver *narrator)
{
    // The first key shows where the focus is, and which keys there are.
    const bool wasShown = focus.shown;
    if (!wasShown)
        shell.SetStatusText(CardsPanel,
                            QStringLiteral(" Frecce, 1-8: scegli; Spazio: muovi"));
    focus.shown = true;
    switch (key) {
    case TableKey::Left:
        Step(focus, -1);
        break;
    case TableKey::Right:
        Step(focus, 1);
        break;
    case TableKey::Up:
        if (focus.kind == Place::Column)
            SetTopRow(focus, focus.index);
        break;
    case TableKey::Down:
        if (focus.kind != Place::Column)
            focus = {Place::Column, RowIndex(focus), true};
        break;
    case TableKey::Column:
        focus = {Place::Column, std::clamp(column, 0, ColumnCount - 1), true};
        break;
    case TableKey::Act:
        if (wasShown)
            Act(state, shell, focus, narrator);
        break;
    case TableKey::PutBack:
        if (state.flags.GameInProgress && state.held.PickedFrom != FromNothing)
            PutBackHeldCard(state, shell);
        break;
    }
}

PixelRect FocusArea(const GameState &state, const KeyFocus &focus)
{
    const TableLayout &l = state.Layout;
    if (focus.kind != Place::Column) {
        const SlotRecord &slot =
            focus.kind == Place::Cell ? state.table.Cells[focus.index] : state.table.Foundations[focus.index];
        return CardRect(l, slot.X, slot.Y);
    }
    const TableColumn &column = state.table.Columns[focus.index];
    const PixelRect first = CardRect(l, column.X[0], column.Y[0]);
    const std::optional<int> top = TopSlot(column);
    const PixelRect last = top ? CardRect(l, column.X[*top], column.Y[*top]) : first;
    return {first.left, first.top, last.right, last.bottom};
}

} // namespace quintara
