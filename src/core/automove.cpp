#include "core/automove.h"

#include "core/gamestate.h"
#include "core/shell.h"
#include "moves/rules.h"

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
            if (table.FoundationLevel >= 13) {
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

std::optional<AutoMove> FindAutoMove(const Table &table, const PileSuitOrder &pileSuit,
                                     int *deepestTop)
{
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
            return AutoMove{false, c, *top, *pile, card};
    }
    for (int i = 0; i < CellCount; ++i) {
        const SlotRecord &cell = table.Cells[i];
        if (cell.Occupied == 0 || Rank(cell.Card) != table.FoundationLevel)
            continue;
        if (const auto pile = acceptingPile(table, pileSuit, cell.Card))
            return AutoMove{true, i, 0, *pile, cell.Card};
    }
    return std::nullopt;
}

void LayOnPile(Table &table, const AutoMove &move)
{
    SlotRecord &pile = table.Foundations[move.pile];
    pile.Card = move.card;
    pile.DrawMode = DrawNormal;
    pile.Occupied = 1;
    if (move.fromCell) {
        table.Cells[move.index].DrawMode = DrawBlank;
        table.Cells[move.index].Occupied = 0;
    } else {
        table.Columns[move.index].DrawMode[move.slot] = DrawBlank;
        table.Columns[move.index].Occupied[move.slot] = 0;
    }
}

void CountHome(Table &table, CardCode card)
{
    table.CardsHome[Rank(card)][Suit(card)] = 1;
    --table.CardsLeft;
}

void ApplyAutoMove(Table &table, const AutoMove &move)
{
    LayOnPile(table, move);
    CountHome(table, move.card);
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
        const std::optional<AutoMove> move = FindAutoMove(table, pileSuit);
        if (!move)
            break;
        ApplyAutoMove(table, *move);
        ++moved;
    }
    return moved;
}

void AutoMoveToFoundation(GameState &state, Shell &shell)
{
    if (state.PickedFrom == FromNothing) {
        const LevelUpdate update = UpdateFoundationLevel(state);
        for (int r = 0; r < RankCount; ++r) {
            if (update.completedRanks & (1u << r))
                shell.SetStatusText(1, QStringLiteral(" Livello raggiunto: %1").arg(RankName(r)));
        }
        if (update.won)
            return;
    }

    state.DeepestTop = 0;
    if (state.PickedFrom != FromNothing)
        return;
    const std::optional<AutoMove> move = FindAutoMove(state, state.GamePileSuit, &state.DeepestTop);
    // The panel under the tableau has no room once a column reaches down to it.
    if (state.Settings.TransferDetails && state.DeepestTop >= state.Layout.DetailsDepthLimit) {
        state.DetailsShown = false;
        shell.SetStatusText(0, QStringLiteral(" Mancanza di spazio per dettagli."));
    }
    if (!move)
        return;

    const SlotRecord &pile = state.Foundations[move->pile];
    const int fromX = move->fromCell ? state.Cells[move->index].X : state.Columns[move->index].X[move->slot];
    const int fromY = move->fromCell ? state.Cells[move->index].Y : state.Columns[move->index].Y[move->slot];
    LayOnPile(state, *move);
    shell.FlyCard(move->card, fromX, fromY, pile.X, pile.Y);
    if (state.Settings.TransferInfo) {
        shell.SetStatusText(2, QStringLiteral("Autom. -> Fila %1: %2").arg(move->pile + 1).arg(CardText(move->card)));
    }
    // A card from a column is painted away while it still counts as left, so
    // the painter clears its column even when it was the last card.
    if (move->fromCell) {
        CountHome(state, move->card);
        shell.Repaint(PaintSender::BitBtn1);
    } else {
        state.ColumnDirty[move->index] = true;
        shell.Repaint(PaintSender::BitBtn1);
        CountHome(state, move->card);
    }
    state.PanelNeedsRedraw = true;
}

} // namespace quintara
