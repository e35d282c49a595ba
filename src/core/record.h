#pragma once
// A game as a record: the number of its deal and everything that changed the
// table since, in order. Replaying the record from the deal gives the table
// the player sees, its undo copy and the hold of the automatic moves, so a
// game can be kept on the disk through any end of the program, put back on
// the table, and gone through by the solver position by position.

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "core/move.h"
#include "core/table.h"

namespace quintara {

enum class RecordStep : std::uint8_t {
    Player,    // a move of the player's, as carried out
    Auto,      // a card the game sent home by itself
    Undo,      // "Cancella la mossa": back to before the last player move kept
    PutBack,   // a card picked up and put back: no move, and no undo for now
};

struct RecordEntry {
    RecordStep step = RecordStep::Player;
    Move move;   // for Player and Auto: the places, the count and the answer
    bool operator==(const RecordEntry &) const = default;
};

// An entry as the record keeps it: of a move only what the table cannot
// tell, the cards and the question being the table's and the rules' own.
RecordEntry Recorded(RecordStep step, const Move &move = {});

struct GameRecord {
    std::optional<std::uint32_t> deal;   // no deal: a table given otherwise, not kept
    // Drawn at the deal, never 0: the statistics keep the stamp of the last
    // game they counted, so a record that outlived its count is known.
    std::uint32_t stamp = 0;
    PileSuitOrder pileSuit = DefaultPileSuit;
    std::int64_t elapsedMs = 0;          // time played when it was last kept
    bool counted = false;                // already in the statistics: its end counts nothing
    std::vector<RecordEntry> entries;
    bool operator==(const GameRecord &) const = default;
};

// The game a record leads to. The slots have no places yet: the caller lays
// them out for its window.
struct ReplayedGame {
    Table table;
    Table undo;                 // the table before the last player move kept
    bool undoEnabled = false;   // that move may be taken back with one undo now
    int undoDepth = 0;          // player moves that several undos could take back
    bool autoMoveHold = true;
    std::int64_t elapsedMs = 0;
};

// Plays the record from its deal. Every move must be one the rules allow
// there and every automatic move the one the game would have made; nullopt
// otherwise, with `failedAt` the index of the first entry that is not.
std::optional<ReplayedGame> ReplayRecord(const GameRecord &record, std::size_t *failedAt = nullptr);

// The tables along the line the player kept: the deal, then the table after
// each player move that no undo took back, with its automatic moves played;
// `moves[i]` led from `tables[i]` to `tables[i + 1]`, and `entryOf[i]` is its
// index in the record. Only the last ten thousand moves are kept: a line
// longer than that starts after its first `firstMove` moves. Empty for a
// record ReplayRecord refuses.
struct KeptLine {
    std::vector<Table> tables;
    std::vector<Move> moves;
    std::vector<std::size_t> entryOf;
    std::size_t firstMove = 0;
};
KeptLine LineOf(const GameRecord &record);

// The player moves of the record that undos could still take back.
int UndoDepth(const GameRecord &record);

// The record cut just before entry `end`: a game played on from there.
GameRecord RecordUpTo(const GameRecord &record, std::size_t end);

// The record as a small text file (see docs/game-record.md), and back. A
// file that is not one gives nullopt with `why` in Italian; a record read
// back is still to be replayed before it is trusted.
QByteArray WriteRecord(const GameRecord &record);
std::optional<GameRecord> ReadRecord(QByteArrayView text, QString &why);

} // namespace quintara
