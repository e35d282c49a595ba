#include "moves/playermove.h"

#include <cstdint>

#include "core/undo.h"

namespace quintara {

namespace {

// One place of the held card's source: its free cell, or a slot of its column.
struct HeldPlace {
    std::int32_t &x;
    std::int32_t &y;
    std::int32_t &drawMode;
};

HeldPlace SourcePlace(GameState &state)
{
    if (state.held.PickedFrom == FromCell) {
        SlotRecord &cell = state.table.Cells[state.held.PickedIndex];
        return {cell.X, cell.Y, cell.DrawMode};
    }
    TableColumn &column = state.table.Columns[state.held.PickedIndex];
    const int slot = state.held.PickedSlot;
    return {column.X[slot], column.Y[slot], column.DrawMode[slot]};
}

void MarkSourceDirty(GameState &state)
{
    if (state.held.PickedFrom == FromColumn)
        state.paint.ColumnDirty[state.held.PickedIndex] = true;
}

// Ends the hold: the table is drawn afresh and undo is offered after a move.
void Finish(GameState &state, Shell &shell, bool moved)
{
    if (!moved)
        state.record.entries.push_back(Recorded(RecordStep::PutBack));
    shell.Repaint(PaintSender::BitBtn1);
    state.flags.ShownCardsLeft = 0;
    state.held.PickedFrom = FromNothing;
    state.flags.UndoEnabled = UndoOffered(state, moved);
    state.panels.PanelNeedsRedraw = true;
}

// Carries the move out on the table, marks the columns it changed for the
// painter and, for a releasing kind, lets the automatic moves run again.
MoveOutcome Carry(GameState &state, const Move &move)
{
    ApplyAndRelease(state.table, state.flags.AutoMoveHold, move);
    state.record.entries.push_back(Recorded(RecordStep::Player, move));
    MarkSourceDirty(state);
    if (move.toKind == Place::Column)
        state.paint.ColumnDirty[move.to] = true;
    return MoveOutcome::Moved;
}

bool FromCellHeld(const GameState &state) { return state.held.PickedFrom == FromCell; }

QString OneCardToColumnText(const GameState &state)
{
    const QString text = FromCellHeld(state) ? QStringLiteral("Cella -> colonna:  %1")
                                             : QStringLiteral("Tavola -> colonna:  %1");
    return text.arg(CardText(state.held.PickedCard));
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

MoveOutcome Refuse(GameState &state, Shell &shell, const QString &text)
{
    shell.ShowNotice(text, ApplicationTitle(), NoticeIcon::Information);
    SourcePlace(state).drawMode = DrawNormal;
    MarkSourceDirty(state);
    return MoveOutcome::PutBack;
}

MoveOutcome ToCell(GameState &state, Shell &shell, const Move &move)
{
    const QString text = FromCellHeld(state) ? QStringLiteral("Cella -> cella libera:  %1")
                                             : QStringLiteral("Tavola -> cella libera:  %1");
    TellMove(state, shell, GamePanel, text.arg(CardText(move.card)));
    return Carry(state, move);
}

MoveOutcome ToPile(GameState &state, Shell &shell, const Move &move)
{
    // The level follows at the next pass of the automatic moves.
    Carry(state, move);
    const QString text = FromCellHeld(state) ? QStringLiteral("Cella -> fila: %1")
                                             : QStringLiteral("Tavola -> fila:  %1");
    TellMove(state, shell, MovesPanel, text.arg(CardText(move.card)));
    return MoveOutcome::Moved;
}

MoveOutcome IntoEmptyColumn(GameState &state, Shell &shell, const Ruling &ruling, std::optional<bool> answer)
{
    shell.ClearDetailsPanel(false);
    Move move = ruling.move;
    if (FromCellHeld(state) || ruling.counted == 1) {
        Carry(state, move);
        TellMove(state, shell, MovesPanel, OneCardToColumnText(state));
        return MoveOutcome::Moved;
    }
    if (move.question) {
        move.answerYes = answer ? *answer
                                : shell.AskYesNo(QStringLiteral("Vuoi muovere più di una carta?"),
                                                 QStringLiteral(" Spostamento a una colonna vuota"));
        if (!move.answerYes)
            move.count = 1;
    }
    Carry(state, move);
    TellMove(state, shell, MovesPanel, QStringLiteral("Tavola -> colonna vuota:  %1 carte").arg(move.count));
    return MoveOutcome::Moved;
}

MoveOutcome OntoColumn(GameState &state, Shell &shell, const Ruling &ruling)
{
    if (ruling.counted == 0)
        return MoveOutcome::Stay;
    shell.ClearDetailsPanel(false);
    const int n = ruling.counted;
    switch (ruling.verdict) {
    case MoveVerdict::ColumnFull: {
        // A free-cell card keeps trying; cards from a column are refused and go back.
        if (FromCellHeld(state))
            return MoveOutcome::Stay;
        const int top = TopSlot(state.table.Columns[ruling.move.to]).value_or(0);
        return Refuse(state, shell, NoRoomText(ruling.move.to, SlotCount - 1 - top, n));
    }
    case MoveVerdict::OverCapacity:
        return Refuse(state, shell,
                      QStringLiteral("Massimo numero di carte spostabili: solo %1.").arg(MoveCapacity(state.table)));
    case MoveVerdict::NoMove:
        return MoveOutcome::Stay;
    case MoveVerdict::Legal:
        break;
    }
    Carry(state, ruling.move);
    TellMove(state, shell, MovesPanel,
             n == 1 ? OneCardToColumnText(state) : QStringLiteral("Tavola -> colonna:  %1 carte").arg(n));
    return MoveOutcome::Moved;
}

MoveOutcome Judged(GameState &state, Shell &shell, const Ruling &ruling, std::optional<bool> answer)
{
    if (ruling.move.toKind == Place::Column)
        return ruling.move.IntoEmptyColumn() ? IntoEmptyColumn(state, shell, ruling, answer)
                                             : OntoColumn(state, shell, ruling);
    if (ruling.verdict != MoveVerdict::Legal)
        return MoveOutcome::Stay;
    return ruling.move.toKind == Place::Cell ? ToCell(state, shell, ruling.move) : ToPile(state, shell, ruling.move);
}

} // namespace

void TellMove(const GameState &state, Shell &shell, int panel, const QString &text)
{
    if (state.Settings.TransferInfo)
        shell.SetStatusText(panel, text);
}

bool PickUp(GameState &state, Shell &shell, Place fromKind, int from)
{
    const MoveSource source = SourceOf(state.table, fromKind, from);
    if (source.From == FromNothing || state.held.PickedFrom != FromNothing)
        return false;
    state.held.PickedFrom = source.From;
    TakeSnapshot(state);
    state.held.PickedIndex = source.Index;
    state.held.PickedSlot = source.Slot;
    state.held.PickedCard = source.Card;
    const HeldPlace place = SourcePlace(state);
    place.drawMode = DrawHighlighted;
    shell.DrawHeldCard(place.x, place.y, source.Card);
    state.panels.DetailsHeaderDue = true;
    TellMove(state, shell, CardsPanel, QStringLiteral("Carta selezionata: %1").arg(CardText(source.Card)));
    TellMove(state, shell, GamePanel, QString());
    TellMove(state, shell, MovesPanel, QString());
    state.held.ReleaseCount = 0;
    return true;
}

MoveOutcome MoveHeldCard(GameState &state, Shell &shell, Place toKind, int to, CountObserver *narrator,
                         std::optional<bool> answer)
{
    if (state.held.PickedFrom == FromNothing)
        return MoveOutcome::Stay;
    const Ruling ruling = Judge(state.table, state.deal.GamePileSuit, state.held.Picked(), toKind, to,
                                state.flags.DetailsShown ? narrator : nullptr);
    const MoveOutcome outcome = Judged(state, shell, ruling, answer);
    if (outcome != MoveOutcome::Stay)
        Finish(state, shell, outcome == MoveOutcome::Moved);
    return outcome;
}

void PutBackHeldCard(GameState &state, Shell &shell)
{
    if (state.held.PickedFrom == FromNothing)
        return;
    SourcePlace(state).drawMode = DrawNormal;
    MarkSourceDirty(state);
    Finish(state, shell, false);
}

namespace {

MoveOutcome PlayFrom(GameState &state, Shell &shell, Place fromKind, int from, Place toKind, int to,
                     std::optional<bool> answer)
{
    if (!state.flags.GameInProgress || !PickUp(state, shell, fromKind, from))
        return MoveOutcome::Stay;
    const MoveOutcome outcome = MoveHeldCard(state, shell, toKind, to, nullptr, answer);
    if (outcome != MoveOutcome::Stay)
        return outcome;
    PutBackHeldCard(state, shell);
    return MoveOutcome::PutBack;
}

} // namespace

MoveOutcome PlayerMove(GameState &state, Shell &shell, Place fromKind, int from, Place toKind, int to)
{
    return PlayFrom(state, shell, fromKind, from, toKind, to, std::nullopt);
}

MoveOutcome PlayerMove(GameState &state, Shell &shell, const Move &move)
{
    if (!IsLegal(state.table, state.deal.GamePileSuit, move))
        return MoveOutcome::Stay;
    return PlayFrom(state, shell, move.fromKind, move.from, move.toKind, move.to,
                    move.question ? std::optional<bool>(move.answerYes) : std::nullopt);
}

} // namespace quintara
