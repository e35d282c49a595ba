#include "moves/pointer.h"

#include <optional>

#include "moves/playermove.h"

namespace quintara {

namespace {

// How deep below its first slot an empty column takes a dropped card, and how
// deep the pointer already shows that it would: a release in the lowest rows
// of the hover area drops nothing.
constexpr int EmptyDropRows = 14;
constexpr int EmptyHoverRows = 17;
// A press finds nothing to pick up in an empty column.
constexpr int NoEmptyArea = 0;

PixelRect SlotRect(const TableLayout &layout, const SlotRecord &slot)
{
    return CardRect(layout, slot.X, slot.Y);
}

// Where column c takes a card: its top card, or, once the column is empty,
// the strip `emptyRows` rows deep from where its first card lay.
PixelRect ColumnArea(const GameState &state, int c, int emptyRows)
{
    const TableColumn &column = state.table.Columns[c];
    if (const std::optional<int> top = TopSlot(column))
        return CardRect(state.Layout, column.X[*top], column.Y[*top]);
    const int x = column.X[0];
    const int y = column.Y[0];
    return {x, y, x + state.Layout.grid.CardWidth, y + emptyRows * state.Layout.grid.RowStep};
}

std::optional<int> ColumnUnder(const GameState &state, int x, int y, int emptyRows)
{
    for (int c = 0; c < ColumnCount; ++c) {
        if (ColumnArea(state, c, emptyRows).contains(x, y))
            return c;
    }
    return std::nullopt;
}

// The free cell or pile whose card rectangle holds the point.
std::optional<int> SlotUnder(const TableLayout &layout, const SlotArray &records, int x, int y)
{
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        if (SlotRect(layout, records[i]).contains(x, y))
            return i;
    }
    return std::nullopt;
}

struct PlaceUnder {
    Place kind;
    int index;
};

// The place a release at (x, y) drops on: a free cell, a pile or a column.
std::optional<PlaceUnder> DropPlace(const GameState &state, int x, int y)
{
    if (const std::optional<int> i = SlotUnder(state.Layout, state.table.Cells, x, y))
        return PlaceUnder{Place::Cell, *i};
    if (const std::optional<int> p = SlotUnder(state.Layout, state.table.Foundations, x, y))
        return PlaceUnder{Place::Pile, *p};
    if (const std::optional<int> c = ColumnUnder(state, x, y, EmptyDropRows))
        return PlaceUnder{Place::Column, *c};
    return std::nullopt;
}

bool IsHeldPlace(const GameState &state, const PlaceUnder &place)
{
    const Place held = state.held.PickedFrom == FromCell ? Place::Cell : Place::Column;
    return place.kind == held && place.index == state.held.PickedIndex;
}

Ruling JudgeHeld(const GameState &state, Place kind, int to, CountObserver *narrator = nullptr)
{
    return Judge(state.table, state.deal.GamePileSuit, state.held.Picked(), kind, to,
                 state.flags.DetailsShown ? narrator : nullptr);
}

QString ChosenCard(CardCode card) { return QStringLiteral("La carta scelta è: %1").arg(CardText(card)); }
QString NoChosenCard() { return QStringLiteral("Carta scelta: nessuna"); }

// ---- Hover ------------------------------------------------------------------

void Recognise(GameState &state, Shell &shell, Pointer pointer, const PixelRect &area)
{
    shell.SetPointer(pointer);
    state.held.HotRect = area;
}

void TellTarget(const GameState &state, Shell &shell, int count, const QString &place, const QString &card)
{
    TellMove(state, shell, CardsPanel, QStringLiteral("Carte pronte per lo spostamento: %1").arg(count));
    TellMove(state, shell, GamePanel, place);
    TellMove(state, shell, MovesPanel, card);
}

bool HoverCell(GameState &state, Shell &shell, int x, int y)
{
    const std::optional<int> i = SlotUnder(state.Layout, state.table.Cells, x, y);
    if (!i || JudgeHeld(state, Place::Cell, *i).verdict != MoveVerdict::Legal)
        return false;
    Recognise(state, shell, Pointer::LargeUp, SlotRect(state.Layout, state.table.Cells[*i]));
    TellTarget(state, shell, 1, QStringLiteral("Hai scelto la cella libera numero %1").arg(*i + 1), NoChosenCard());
    return true;
}

void HoverColumn(GameState &state, Shell &shell, int c, CountObserver *narrator)
{
    const TableColumn &column = state.table.Columns[c];
    const std::optional<int> top = TopSlot(column);
    if (top && IsHeldPlace(state, {Place::Column, c}))
        return;
    const Ruling ruling = JudgeHeld(state, Place::Column, c, narrator);
    if (!top) {
        Recognise(state, shell, Pointer::LargeUp, ColumnArea(state, c, EmptyHoverRows));
        TellTarget(state, shell, ruling.counted,
                   QStringLiteral("Hai scelto la colonna vuota numero %1").arg(c + 1), NoChosenCard());
        return;
    }
    const int t = *top;
    if (ruling.verdict == MoveVerdict::Legal) {
        Recognise(state, shell, Pointer::LargeDown, CardRect(state.Layout, column.X[t], column.Y[t]));
        TellTarget(state, shell, ruling.counted, QStringLiteral("Hai scelto la colonna numero %1").arg(c + 1),
                   ChosenCard(column.Card[t]));
    } else if (ruling.verdict == MoveVerdict::OverCapacity) {
        // The group would fit, but there are not enough free places to carry it.
        shell.SetPointer(Pointer::Arrow);
    }
}

void HoverPile(GameState &state, Shell &shell, int x, int y)
{
    const std::optional<int> p = SlotUnder(state.Layout, state.table.Foundations, x, y);
    if (!p || JudgeHeld(state, Place::Pile, *p).verdict != MoveVerdict::Legal)
        return;
    const SlotRecord &pile = state.table.Foundations[*p];
    Recognise(state, shell, Pointer::LargeUp, SlotRect(state.Layout, pile));
    TellTarget(state, shell, 1, QStringLiteral("Hai scelto la fila numero %1").arg(*p + 1),
               pile.Occupied ? ChosenCard(pile.Card) : NoChosenCard());
}

// ---- Drop -------------------------------------------------------------------

// The first release over the held card is the one of the press that may have
// picked it up; the second puts it back.
MoveOutcome ReleaseOverHeldCard(GameState &state, Shell &shell)
{
    ++state.held.ReleaseCount;
    if (state.held.ReleaseCount < 2)
        return MoveOutcome::Stay;
    PutBackHeldCard(state, shell);
    return MoveOutcome::PutBack;
}

MoveOutcome Drop(GameState &state, Shell &shell, int x, int y, CountObserver *narrator)
{
    const std::optional<PlaceUnder> place = DropPlace(state, x, y);
    if (!place)
        return MoveOutcome::Stay;
    // A release over the held card itself is a click, not a move.
    if (place->kind != Place::Pile && IsHeldPlace(state, *place))
        return ReleaseOverHeldCard(state, shell);
    return MoveHeldCard(state, shell, place->kind, place->index, narrator);
}

} // namespace

void FormMouseDown(GameState &state, Shell &shell, MouseButton button, int x, int y)
{
    if (!state.flags.GameInProgress || button != MouseButton::Left || state.held.PickedFrom != FromNothing)
        return;
    const std::optional<int> c = ColumnUnder(state, x, y, NoEmptyArea);
    const std::optional<int> i = c ? std::nullopt : SlotUnder(state.Layout, state.table.Cells, x, y);
    if ((c && PickUp(state, shell, Place::Column, *c)) || (i && PickUp(state, shell, Place::Cell, *i)))
        shell.CaptureMouse();
}

void FormMouseMove(GameState &state, Shell &shell, int x, int y, CountObserver *narrator)
{
    if (!state.flags.GameInProgress || state.held.HotRect.contains(x, y))
        return;
    state.held.HotRect = {};
    if (state.held.PickedFrom == FromNothing) {
        shell.SetPointer(Pointer::Arrow);
        return;
    }
    const bool ace = Rank(state.held.PickedCard) == 0;
    if (!ace && HoverCell(state, shell, x, y))
        return;
    if (const std::optional<int> c = ColumnUnder(state, x, y, EmptyHoverRows)) {
        // Every place looked at on the way here has turned the pointer to the
        // arrow; a column that refuses the card leaves the pointer as it is.
        if (*c > 0 || (!ace && CountEmptyCells(state.table) > 0))
            shell.SetPointer(Pointer::Arrow);
        HoverColumn(state, shell, *c, narrator);
        return;
    }
    shell.SetPointer(Pointer::Arrow);
    HoverPile(state, shell, x, y);
}

void FormMouseUp(GameState &state, Shell &shell, MouseButton button, int x, int y, CountObserver *narrator)
{
    if (!state.flags.GameInProgress || state.held.PickedFrom == FromNothing || button != MouseButton::Left)
        return;
    if (Drop(state, shell, x, y, narrator) != MoveOutcome::Stay) {
        shell.ReleaseMouse();
        shell.SetPointer(Pointer::Arrow);
    }
}

} // namespace quintara
