#include "moves/pointer.h"

#include <cstdint>
#include <optional>


namespace quintara {

namespace {

// How deep below its first slot an empty column takes a dropped card, and how
// deep the pointer already shows that it would: a release in the lowest rows
// of the hover area drops nothing.
constexpr int EmptyDropRows = 14;
constexpr int EmptyHoverRows = 17;
// A press finds nothing to pick up in an empty column.
constexpr int NoEmptyArea = 0;

enum class DropOutcome { Stay, Moved, PutBack };

bool IsAce(CardCode card) { return Rank(card) == 0; }

PixelRect CardRect(const TableLayout &layout, int x, int y)
{
    return {x, y, x + layout.CardWidth, y + layout.CardHeight};
}

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
    return {x, y, x + state.Layout.CardWidth, y + emptyRows * state.Layout.RowStep};
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

// One place of the held card's source: its free cell, or a slot of its column.
struct HeldPlace {
    std::uint8_t &occupied;
    std::int32_t &x;
    std::int32_t &y;
    CardCode &card;
    std::int32_t &drawMode;
};

HeldPlace SourcePlace(GameState &state, int slot)
{
    if (state.held.PickedFrom == FromCell) {
        SlotRecord &cell = state.table.Cells[state.held.PickedIndex];
        return {cell.Occupied, cell.X, cell.Y, cell.Card, cell.DrawMode};
    }
    TableColumn &column = state.table.Columns[state.held.PickedIndex];
    return {column.Occupied[slot], column.X[slot], column.Y[slot], column.Card[slot],
            column.DrawMode[slot]};
}

void MarkSourceDirty(GameState &state)
{
    if (state.held.PickedFrom == FromColumn)
        state.paint.ColumnDirty[state.held.PickedIndex] = true;
}

void PutBack(GameState &state)
{
    SourcePlace(state, state.held.PickedSlot).drawMode = DrawNormal;
    MarkSourceDirty(state);
}

bool HoldsTopOf(const GameState &state, int column, int topSlot)
{
    return state.held.PickedFrom == FromColumn && state.held.PickedIndex == column && state.held.PickedSlot == topSlot;
}

int CountFor(const GameState &state, int column, int destSlot, CountObserver *narrator)
{
    return ColumnMoveCount(state.table, state.held.Picked(), column, destSlot, state.flags.DetailsShown ? narrator : nullptr);
}

// The move texts are shown only for a player who asked for them.
void Tell(const GameState &state, Shell &shell, int panel, const QString &text)
{
    if (state.Settings.TransferInfo)
        shell.SetStatusText(panel, text);
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
    Tell(state, shell, CardsPanel, QStringLiteral("Carte pronte per lo spostamento: %1").arg(count));
    Tell(state, shell, GamePanel, place);
    Tell(state, shell, MovesPanel, card);
}

bool HoverCell(GameState &state, Shell &shell, int x, int y)
{
    const std::optional<int> i = SlotUnder(state.Layout, state.table.Cells, x, y);
    if (!i || state.table.Cells[*i].Occupied)
        return false;
    Recognise(state, shell, Pointer::LargeUp, SlotRect(state.Layout, state.table.Cells[*i]));
    TellTarget(state, shell, 1, QStringLiteral("Hai scelto la cella libera numero %1").arg(*i + 1), NoChosenCard());
    return true;
}

void HoverColumn(GameState &state, Shell &shell, int c, CountObserver *narrator)
{
    const TableColumn &column = state.table.Columns[c];
    const std::optional<int> top = TopSlot(column);
    if (!top) {
        const int n = CountFor(state, c, EmptyColumnSlot, narrator);
        Recognise(state, shell, Pointer::LargeUp, ColumnArea(state, c, EmptyHoverRows));
        TellTarget(state, shell, n, QStringLiteral("Hai scelto la colonna vuota numero %1").arg(c + 1),
                   NoChosenCard());
        return;
    }
    const int t = *top;
    if (HoldsTopOf(state, c, t))
        return;
    const int n = CountFor(state, c, t, narrator);
    if (n == 0)
        return;
    if (ColumnHasRoom(t, n) && (n == 1 || n <= MoveCapacity(state.table))) {
        Recognise(state, shell, Pointer::LargeDown, CardRect(state.Layout, column.X[t], column.Y[t]));
        TellTarget(state, shell, n, QStringLiteral("Hai scelto la colonna numero %1").arg(c + 1),
                   ChosenCard(column.Card[t]));
    } else if (ColumnHasRoom(t, n)) {
        // The group would fit, but there are not enough free places to carry it.
        shell.SetPointer(Pointer::Arrow);
    }
}

void HoverPile(GameState &state, Shell &shell, int x, int y)
{
    const std::optional<int> p = SlotUnder(state.Layout, state.table.Foundations, x, y);
    if (!p || !CanGoToFoundation(state.table, state.deal.GamePileSuit, *p, state.held.PickedCard))
        return;
    const SlotRecord &pile = state.table.Foundations[*p];
    Recognise(state, shell, Pointer::LargeUp, SlotRect(state.Layout, pile));
    TellTarget(state, shell, 1, QStringLiteral("Hai scelto la fila numero %1").arg(*p + 1),
               pile.Occupied ? ChosenCard(pile.Card) : NoChosenCard());
}

// ---- Drop -------------------------------------------------------------------

// The held card, with `count` - 1 cards under it in its column, going to a place.
Move HeldMove(const GameState &state, Place toKind, int to, int count = 1)
{
    Move move{state.held.PickedFrom == FromCell ? Place::Cell : Place::Column, state.held.PickedIndex, toKind, to, count,
              state.held.PickedCard};
    if (toKind == Place::Column) {
        if (const std::optional<int> top = TopSlot(state.table.Columns[to]))
            move.onto = state.table.Columns[to].Card[*top];
    }
    return move;
}

// Carries the move out on the table, marks the columns it changed for the
// painter and, for a releasing kind, lets the automatic moves run again.
void Carry(GameState &state, const Move &move)
{
    ApplyMove(state.table, move);
    MarkSourceDirty(state);
    if (move.toKind == Place::Column)
        state.paint.ColumnDirty[move.to] = true;
    if (ReleasesHold(move))
        state.flags.AutoMoveHold = false;
}

QString OneCardToColumnText(const GameState &state)
{
    const QString text = state.held.PickedFrom == FromCell ? QStringLiteral("Cella -> colonna:  %1")
                                                      : QStringLiteral("Tavola -> colonna:  %1");
    return text.arg(CardText(state.held.PickedCard));
}

// The first release over the held card is the one of the press that may have
// picked it up; the second puts it back.
DropOutcome ReleaseOverHeldCard(GameState &state)
{
    ++state.held.ReleaseCount;
    if (state.held.ReleaseCount < 2)
        return DropOutcome::Stay;
    PutBack(state);
    return DropOutcome::PutBack;
}

DropOutcome DropOnCell(GameState &state, Shell &shell, int i)
{
    SlotRecord &cell = state.table.Cells[i];
    if (cell.Occupied) {
        if (state.held.PickedFrom == FromCell && state.held.PickedIndex == i)
            return ReleaseOverHeldCard(state);
        return DropOutcome::Stay;
    }
    const QString text = state.held.PickedFrom == FromCell ? QStringLiteral("Cella -> cella libera:  %1")
                                                      : QStringLiteral("Tavola -> cella libera:  %1");
    Tell(state, shell, GamePanel, text.arg(CardText(state.held.PickedCard)));
    Carry(state, HeldMove(state, Place::Cell, i));
    return DropOutcome::Moved;
}

DropOutcome DropOnPile(GameState &state, Shell &shell, int p)
{
    // The level follows at the next pass of the automatic moves.
    Carry(state, HeldMove(state, Place::Pile, p));
    const QString text = state.held.PickedFrom == FromCell ? QStringLiteral("Cella -> fila: %1")
                                                      : QStringLiteral("Tavola -> fila:  %1");
    Tell(state, shell, MovesPanel, text.arg(CardText(state.held.PickedCard)));
    return DropOutcome::Moved;
}

QString NoRoomText(int column, int room, int count)
{
    if (room == 0) {
        return QStringLiteral("La colonna numero %1 è piena: non può ricevere altre carte.").arg(column + 1);
    }
    const QString places = room == 1 ? QStringLiteral("una carta") : QStringLiteral("%1 carte").arg(room);
    return QStringLiteral("Nella colonna numero %1 c'è posto solo per %2, non per %3 carte.")
        .arg(column + 1)
        .arg(places)
        .arg(count);
}

DropOutcome Refuse(GameState &state, Shell &shell, const QString &text)
{
    shell.ShowNotice(text, ApplicationTitle(), NoticeIcon::Information);
    PutBack(state);
    return DropOutcome::PutBack;
}

DropOutcome DropIntoEmptyColumn(GameState &state, Shell &shell, int c, CountObserver *narrator)
{
    const int counted = CountFor(state, c, EmptyColumnSlot, narrator);
    shell.ClearDetailsPanel(false);
    if (state.held.PickedFrom == FromCell || counted == 1) {
        Carry(state, HeldMove(state, Place::Column, c));
        Tell(state, shell, MovesPanel, OneCardToColumnText(state));
        return DropOutcome::Moved;
    }
    Move move = HeldMove(state, Place::Column, c, EmptyColumnLimit(state.table, counted));
    move.question = move.count > 1;
    move.answerYes = move.question && shell.AskYesNo(QStringLiteral("Vuoi muovere più di una carta?"),
                                                     QStringLiteral(" Spostamento a una colonna vuota"));
    if (move.question && !move.answerYes)
        move.count = 1;
    const int n = move.count;
    Carry(state, move);
    Tell(state, shell, MovesPanel, QStringLiteral("Tavola -> colonna vuota:  %1 carte").arg(n));
    return DropOutcome::Moved;
}

DropOutcome DropOnColumn(GameState &state, Shell &shell, int c, CountObserver *narrator)
{
    const std::optional<int> top = TopSlot(state.table.Columns[c]);
    if (!top)
        return DropIntoEmptyColumn(state, shell, c, narrator);
    const int t = *top;
    if (HoldsTopOf(state, c, t))
        return ReleaseOverHeldCard(state);
    const int n = CountFor(state, c, t, narrator);
    if (n == 0)
        return DropOutcome::Stay;
    shell.ClearDetailsPanel(false);
    // A free-cell card keeps trying when the column is full; cards from a
    // column are refused and go back.
    if (!ColumnHasRoom(t, n)) {
        if (state.held.PickedFrom == FromCell)
            return DropOutcome::Stay;
        return Refuse(state, shell, NoRoomText(c, SlotCount - 1 - t, n));
    }
    const int capacity = MoveCapacity(state.table);
    if (n > 1 && n > capacity)
        return Refuse(state, shell, QStringLiteral("Massimo numero di carte spostabili: solo %1.").arg(capacity));
    Carry(state, HeldMove(state, Place::Column, c, n));
    Tell(state, shell, MovesPanel,
         n == 1 ? OneCardToColumnText(state) : QStringLiteral("Tavola -> colonna:  %1 carte").arg(n));
    return DropOutcome::Moved;
}

DropOutcome Drop(GameState &state, Shell &shell, int x, int y, CountObserver *narrator)
{
    if (!IsAce(state.held.PickedCard)) {
        if (const std::optional<int> i = SlotUnder(state.Layout, state.table.Cells, x, y))
            return DropOnCell(state, shell, *i);
    }
    const std::optional<int> p = SlotUnder(state.Layout, state.table.Foundations, x, y);
    if (p && CanGoToFoundation(state.table, state.deal.GamePileSuit, *p, state.held.PickedCard))
        return DropOnPile(state, shell, *p);
    if (const std::optional<int> c = ColumnUnder(state, x, y, EmptyDropRows))
        return DropOnColumn(state, shell, *c, narrator);
    return DropOutcome::Stay;
}

void Finish(GameState &state, Shell &shell, bool moved)
{
    shell.ReleaseMouse();
    shell.SetPointer(Pointer::Arrow);
    shell.Repaint(PaintSender::BitBtn1);
    state.flags.ShownCardsLeft = 0;
    state.held.PickedFrom = FromNothing;
    state.flags.UndoEnabled = moved && state.flags.UndoAvailable;
    state.panels.PanelNeedsRedraw = true;
}

// ---- Pick-up ----------------------------------------------------------------

void PickUp(GameState &state, Shell &shell, const MoveSource &source)
{
    state.held.PickedFrom = source.From;
    TakeSnapshot(state);
    state.held.PickedIndex = source.Index;
    state.held.PickedSlot = source.Slot;
    state.held.PickedCard = source.Card;
    const HeldPlace place = SourcePlace(state, source.Slot);
    place.drawMode = DrawHighlighted;
    shell.DrawHeldCard(place.x, place.y, source.Card);
    state.panels.DetailsHeaderDue = true;
    Tell(state, shell, CardsPanel, QStringLiteral("Carta selezionata: %1").arg(CardText(source.Card)));
    Tell(state, shell, GamePanel, QString());
    Tell(state, shell, MovesPanel, QString());
    state.held.ReleaseCount = 0;
    shell.CaptureMouse();
}

} // namespace

void FormMouseDown(GameState &state, Shell &shell, MouseButton button, int x, int y)
{
    if (!state.flags.GameInProgress || button != MouseButton::Left || state.held.PickedFrom != FromNothing)
        return;
    if (const std::optional<int> c = ColumnUnder(state, x, y, NoEmptyArea)) {
        const TableColumn &column = state.table.Columns[*c];
        const int t = TopSlot(column).value_or(0);
        PickUp(state, shell, {FromColumn, *c, t, column.Card[t]});
        return;
    }
    const std::optional<int> i = SlotUnder(state.Layout, state.table.Cells, x, y);
    if (i && state.table.Cells[*i].Occupied)
        PickUp(state, shell, {FromCell, *i, 0, state.table.Cells[*i].Card});
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
    const bool ace = IsAce(state.held.PickedCard);
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
    const DropOutcome outcome = Drop(state, shell, x, y, narrator);
    if (outcome != DropOutcome::Stay)
        Finish(state, shell, outcome == DropOutcome::Moved);
}

} // namespace quintara
