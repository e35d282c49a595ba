#pragma once
// Everything the main window holds for the whole run: the table and its undo
// copy, the deck, the layout, the settings and statistics, and the flags that
// tie the game loop, the pointer, the painter and the panels together. One
// plain record, owned by the window and read and written directly by the
// game's operations.

#include <array>
#include <cstdint>

#include <QDateTime>

#include "core/move.h"
#include "core/table.h"
#include "store/settings.h"
#include "table/layout.h"

namespace quintara {

// The destination card of the details panel when the column is empty.
inline constexpr CardCode NoTargetCard = 64;

struct GameState : Table, UndoSnapshot {
    std::array<CardCode, DeckSize> Deck{};
    TableLayout Layout;
    GameSettings Settings;
    GameStatistics Statistics;
    // The suit of each foundation pile in the game on the table, and the
    // marks its empty piles show: both taken from the settings at each deal,
    // so a new order chosen during a game waits for the next one.
    PileSuitOrder GamePileSuit{0, 1, 2, 3};
    std::array<std::int32_t, PileCount> EmptyPileImage{53, 54, 55, 56};

    // Game flow.
    bool GameInProgress = false;
    bool DeckDealt = false;
    bool AutoMoveHold = true;
    bool MovesLeft = false;
    bool AnalysisOn = false;
    bool UndoAvailable = false;
    bool UndoEnabled = false;
    bool ShowMovesEnabled = false;
    bool FinishEnabled = false;
    bool DetailsShown = false;
    bool ShowMoves = false;
    bool ResizePending = false;
    std::int32_t ShownCardsLeft = 0;
    std::int32_t DeepestTop = 0;
    QDateTime GameStartTime;

    // The card the player holds.
    std::int32_t PickedFrom = FromNothing;
    std::int32_t PickedIndex = 0;
    std::int32_t PickedSlot = 0;
    CardCode PickedCard = 0;
    std::int32_t ReleaseCount = 0;
    PixelRect HotRect;

    // Painting.
    bool FullRepaint = true;
    bool CellRowFrameDirty = false;
    bool FoundationFrameDirty = false;
    std::array<bool, ColumnCount> ColumnDirty{};
    bool PaintSuspended = false;
    bool PictureShown = false;

    // Panels under the tableau.
    bool PanelNeedsRedraw = false;
    bool DetailsHeaderDue = false;
    CardCode DetailsLastTarget = NoTargetCard;
    std::int32_t DetailsLastColumn = -1;

    MoveSource Picked() const { return {PickedFrom, PickedIndex, PickedSlot, PickedCard}; }
};

// Empties the table and places the free cells and piles; counters and flags
// other than the held card are left alone.
void ResetTable(GameState &state);

// The undo copy taken when the player picks up a card.
void TakeSnapshot(GameState &state);

} // namespace quintara
