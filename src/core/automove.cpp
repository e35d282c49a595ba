#include "core/automove.h"

#include "core/gamestate.h"
#include "core/shell.h"
#include "core/rules.h"

namespace quintara {

LevelUpdate UpdateFoundationLevel(Table &table)
{
    LevelUpdate update;
    for (int r = 0; r < RankCount; ++r) {
        if (table.CardsHome[r][4] == 1)
            continue;
        if (r >= 1 && r < table.FoundationLevel)
            table.FoundationLevel = r;
        int home = 0;
        for (int s = 0; s < 4; ++s)
            home += table.CardsHome[r][s] == 1 ? 1 : 0;
        if (home == 4) {
            table.CardsHome[r][4] = 1;
            update.completedRanks |= static_cast<std::uint16_t>(1u << r);
            ++table.FoundationLevel;
            if (IsWon(table)) {
                update.won = true;
                return update;
            }
        }
    }
    return update;
}

namespace {

std::optional<int> acceptingPile(const Table &table, const PileSuitOrder &pileSuit, CardCode card)
{
    for (int p = 0; p < PileCount; ++p) {
        if (CanGoToFoundation(table, pileSuit, p, card))
            return p;
    }
    return std::nullopt;
}

} // namespace

std::optional<Move> FindAutoMove(const Table &table, const PileSuitOrder &pileSuit, int *deepestTop)
{
    const auto home = [](Place fromKind, int from, int pile, CardCode card) {
        return Move{fromKind, from, Place::Pile, pile, 1, card};
    };
    int deepest = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        const std::optional<int> top = TopSlot(table.Columns[c]);
        if (!top)
            continue;
        if (*top > deepest) {
            deepest = *top;
            if (deepestTop)
                *deepestTop = deepest;
        }
        const CardCode card = table.Columns[c].Card[*top];
        if (Rank(card) != 0 && Rank(card) != table.FoundationLevel)
            continue;
        if (const auto pile = acceptingPile(table, pileSuit, card))
            return home(Place::Column, c, *pile, card);
    }
    for (int i = 0; i < CellCount; ++i) {
        const SlotRecord &cell = table.Cells[i];
        if (cell.Occupied == 0 || Rank(cell.Card) != table.FoundationLevel)
            continue;
        if (const auto pile = acceptingPile(table, pileSuit, cell.Card))
            return home(Place::Cell, i, *pile, cell.Card);
    }
    return std::nullopt;
}

bool CascadePending(const Table &table, const PileSuitOrder &pileSuit, bool autoMoveHold)
{
    if (autoMoveHold)
        return false;
    Table updated = table;
    const LevelUpdate update = UpdateFoundationLevel(updated);
    return update.won || update.completedRanks != 0 || !(updated == table)
        || FindAutoMove(updated, pileSuit).has_value();
}

int RunAutoMoves(Table &table, const PileSuitOrder &pileSuit)
{
    int moved = 0;
    while (!UpdateFoundationLevel(table).won) {
        const std::optional<Move> move = FindAutoMove(table, pileSuit);
        if (!move)
            break;
        ApplyMove(table, *move);
        ++moved;
    }
    return moved;
}

int PlayMove(Table &table, const PileSuitOrder &pileSuit, bool &autoMoveHold, const Move &move)
{
    ApplyAndRelease(table, autoMoveHold, move);
    return autoMoveHold ? 0 : RunAutoMoves(table, pileSuit);
}

void AutoMoveToFoundation(GameState &state, Shell &shell)
{
    if (state.held.PickedFrom == FromNothing) {
        const LevelUpdate update = UpdateFoundationLevel(state.table);
        for (int r = 0; r < RankCount; ++r) {
            if (update.completedRanks & (1u << r))
                shell.SetStatusText(GamePanel, QStringLiteral(" Livello raggiunto: %1").arg(RankName(r)));
        }
        if (update.won)
            return;
    }

    state.flags.DeepestTop = 0;
    if (state.held.PickedFrom != FromNothing)
        return;
    const std::optional<Move> move = FindAutoMove(state.table, state.deal.GamePileSuit, &state.flags.DeepestTop);
    // The panel under the tableau has no room once a column reaches down to it.
    if (state.Settings.TransferDetails && state.flags.DeepestTop >= state.Layout.panel.DetailsDepthLimit) {
        state.flags.DetailsShown = false;
        shell.SetStatusText(CardsPanel, QStringLiteral(" Mancanza di spazio per dettagli."));
    }
    if (!move)
        return;

    const bool fromCell = move->fromKind == Place::Cell;
    const SlotRecord &pile = state.table.Foundations[move->to];
    const TableColumn &column = state.table.Columns[move->from];
    const int slot = fromCell ? 0 : TopSlot(column).value_or(0);
    const int fromX = fromCell ? state.table.Cells[move->from].X : column.X[slot];
    const int fromY = fromCell ? state.table.Cells[move->from].Y : column.Y[slot];
    MoveCards(state.table, *move);
    state.record.entries.push_back(Recorded(RecordStep::Auto, *move));
    shell.FlyCard(move->card, fromX, fromY, pile.X, pile.Y);
    if (state.Settings.TransferInfo) {
        shell.SetStatusText(MovesPanel, QStringLiteral("Autom. -> Fila %1: %2").arg(move->to + 1).arg(CardText(move->card)));
    }
    // A card from a column is painted away while it still counts as left, so
    // the painter clears its column even when it was the last card.
    if (fromCell) {
        CountHome(state.table, *move);
        shell.Repaint(PaintSender::BitBtn1);
    } else {
        state.paint.ColumnDirty[move->from] = true;
        shell.Repaint(PaintSender::BitBtn1);
        CountHome(state.table, *move);
    }
    state.panels.PanelNeedsRedraw = true;
}

} // namespace quintara
