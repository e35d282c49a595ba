#pragma once
// Everything the main window holds for the whole run, in records with one
// purpose each: the table and its undo copy, the deal, the layout, the
// settings and statistics, the game's flags, the held card, what the painter
// must redraw and the panels. Owned by the window and read and written
// directly by the game's operations.

#include <array>
#include <cstdint>
#include <optional>

#include <QDateTime>

#include "core/geometry.h"
#include "core/move.h"
#include "core/record.h"
#include "core/settings.h"
#include "core/table.h"

namespace quintara {

// The destination card of the details panel when the column is empty.
inline constexpr CardCode NoTargetCard = 64;

// Where the game is and which of its commands are on.
struct GameFlags {
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
    // The last game ended lost, and its record is there to be explained.
    bool LastGameLost = false;
    // A game's loop is on the stack, perhaps only ending its game.
    bool LoopRunning = false;
    std::int32_t ShownCardsLeft = 0;
    std::int32_t DeepestTop = 0;
    QDateTime GameStartTime;
};

// The deck of the game on the table, and the suit of each foundation pile
// with the marks its empty piles show: both taken from the settings at each
// deal, so a new order chosen during a game waits for the next one.
struct DealRecord {
    std::array<CardCode, DeckSize> Deck{};
    PileSuitOrder GamePileSuit = DefaultPileSuit;
    std::array<std::int32_t, PileCount> EmptyPileImage{
        quintara::EmptyPileImage(0), quintara::EmptyPileImage(1), quintara::EmptyPileImage(2),
        quintara::EmptyPileImage(3)};
    // The number of the deal on the table, or of the last one played; and a
    // deal asked for while a game was running, dealt once that game's loop
    // has returned.
    std::optional<std::uint32_t> LastDeal;
    std::optional<std::uint32_t> NextDeal;
    // The space between the columns, taken from the settings at each deal.
    std::int32_t ColumnGap = 12;
};

// The card the player holds, and the place the pointer last recognised.
struct HeldCard {
    std::int32_t PickedFrom = FromNothing;
    std::int32_t PickedIndex = 0;
    std::int32_t PickedSlot = 0;
    CardCode PickedCard = 0;
    std::int32_t ReleaseCount = 0;
    PixelRect HotRect;

    MoveSource Picked() const { return {PickedFrom, PickedIndex, PickedSlot, PickedCard}; }
};

// What changed on the table since the last paint, as the game tells the
// painter: its one way to say so. The painter draws again only what of it
// looks different from what it drew before.
struct RepaintFlags {
    // Everything, the buffers' ground included.
    bool FullRepaint = true;
    bool CellRowFrameDirty = false;
    bool FoundationFrameDirty = false;
    std::array<bool, ColumnCount> ColumnDirty{};
    // A card is in flight over the window: a paint changes nothing and keeps
    // what it was told for the paint after the landing.
    bool PaintSuspended = false;
    bool PictureShown = false;

    // Another table altogether (a deal, an undo, a position given to play
    // on): every column and both rows of slots.
    void TableReplaced()
    {
        ColumnDirty.fill(true);
        CellRowFrameDirty = true;
        FoundationFrameDirty = true;
    }
};

// The panels under the tableau.
struct PanelState {
    bool PanelNeedsRedraw = false;
    bool DetailsHeaderDue = false;
    CardCode DetailsLastTarget = NoTargetCard;
    std::int32_t DetailsLastColumn = -1;
};

struct GameState {
    Table table;
    UndoSnapshot undo;
    DealRecord deal;
    // The game on the table, or the last one played, as its deal and moves.
    GameRecord record;
    TableLayout Layout;
    GameSettings Settings;
    GameStatistics Statistics;
    GameFlags flags;
    HeldCard held;
    RepaintFlags paint;
    PanelState panels;
};

// Empties the table and places the free cells and piles; counters and flags
// other than the held card are left alone.
void ResetTable(GameState &state);

// Gives every free cell, pile and column slot its place from the layout;
// the places never change while a game is played.
void PlaceCellsAndPiles(Table &table, const TableLayout &layout);
void PlaceColumns(Table &table, const TableLayout &layout, int columnGap);
void PlaceSlots(Table &table, const TableLayout &layout, int columnGap);

// The undo copy taken when the player picks up a card.
void TakeSnapshot(GameState &state);

// The table and undo copy of a replayed game, their slots laid out with the
// deal's column gap, for the painter to draw afresh.
void TakeReplayedTables(GameState &state, const ReplayedGame &game);

} // namespace quintara
