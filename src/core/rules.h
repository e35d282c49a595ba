#pragma once
// The rules of the game as read-only queries on the table: which card may go
// where, how many cards a move onto a column carries, whether a move is legal
// and how many moves of each kind the table allows. Each rule is written here
// and nowhere else: the player's move, the pointer's hover, the list of legal
// moves, the automatic moves and the analysis all ask these functions.

#include <array>
#include <vector>

#include "core/move.h"
#include "core/table.h"

namespace quintara {

// a goes on b: one rank lower and of the other colour.
bool FitsOn(CardCode a, CardCode b);

// Pile p takes the card: its own ace when empty, else the next card of its suit.
bool CanGoToFoundation(const Table &table, const PileSuitOrder &pileSuit, int pile, CardCode card);

// A free cell takes a card when it is empty, and never an ace: an ace always
// has its pile.
bool CellTakes(const Table &table, int cell, CardCode card);

// One card, plus one per empty free cell, plus one per empty column.
int MoveCapacity(const Table &table);

// A column whose top card lies in `topSlot` has room for `count` more cards.
inline bool ColumnHasRoom(int topSlot, int count) { return topSlot + count <= SlotCount - 1; }

// How many cards of a run counted for an empty column may go there: one, plus
// one per empty free cell and per other empty column.
int EmptyColumnLimit(const Table &table, int count);

// The steps of the column count, in the order the rules take them.
enum class CountStep {
    N1,  // free-cell card onto a column with cards
    N2,  // a card alone in its column onto a column with cards
    N3,  // the top card itself fits
    N4,  // walking deeper for the card that fits
    E1,  // free-cell card into an empty column
    E2,  // a card alone in its column into an empty column
    E3,  // the run at the top of a column into an empty column
};

// Watches the column count as it happens. Cards are numbered from the held
// card (1); each card the walk examines is number m.
class CountObserver {
public:
    virtual ~CountObserver() = default;
    // The count is about to judge column `column`, its top card in `destSlot`
    // (or EmptyColumnSlot).
    virtual void countAsked(int column, int destSlot)
    {
        (void)column;
        (void)destSlot;
    }
    virtual void stepBegun(CountStep step, CardCode held) = 0;
    virtual void cardExamined(int m, CardCode card) = 0;
    virtual void runBroken(int m) = 0;
    virtual void cardFits(int m) = 0;
    virtual void countFinished(CountStep step, int count) = 0;
};

// Number of cards that `source` lays on column c whose top card is in
// `destSlot` (0..17), or EmptyColumnSlot; 0 means no move. Toward an empty
// column the whole run counts; the caller applies the limits.
int ColumnMoveCount(const Table &table, const MoveSource &source, int column, int destSlot,
                    CountObserver *observer = nullptr);

// What the rules say of a card going to a place.
enum class MoveVerdict {
    Legal,
    NoMove,         // the place does not take the card
    ColumnFull,     // the cards would fit, but the column has no room for them
    OverCapacity,   // the cards would fit, but there are not enough free places to carry them
};

struct Ruling {
    MoveVerdict verdict = MoveVerdict::NoMove;
    // The cards the column count found (the whole run toward an empty
    // column), 0 when the count was not asked or found none.
    int counted = 0;
    // The move as the rules allow it, `count` and `question` filled; with the
    // question, `count` is the run it offers and a No carries one card.
    Move move;
};

// Judges the card of `source` going to free cell, pile or column `to`. A move
// onto its own column is no move. `observer` hears the column count.
Ruling Judge(const Table &table, const PileSuitOrder &pileSuit, const MoveSource &source, Place toKind, int to,
             CountObserver *observer = nullptr);

// The source of a move: the card of its free cell or the top card of its
// column; From is FromNothing when the place holds no card.
MoveSource SourceOf(const Table &table, Place fromKind, int from);

// Whether the table allows `move` exactly as given: its card, the card it
// lands on, its count, the question and the answer.
bool IsLegal(const Table &table, const PileSuitOrder &pileSuit, const Move &move);

// The four kinds of move the analysis counts, in the order it counts them.
enum MoveKind { CellsToPiles = 0, CellsToTableau = 1, TableauToPiles = 2, ColumnToColumn = 3 };
inline constexpr int MoveKindCount = 4;

// The mark of one source: it has a move of the row's kind, it has none, or
// it is an empty column that was not tried.
enum class MoveMark { Found, NotFound, Neutral };

enum class AnalysisComment { None, Greeting, Lost, Warning };

struct MoveAnalysis {
    // Moves found of each kind.
    std::array<int, MoveKindCount> counts{};
    // One mark per source, in the order counted: the four free cells in the
    // two cell rows, the eight columns in the two tableau rows.
    std::array<std::vector<MoveMark>, MoveKindCount> marks;
    std::array<bool, CellCount> cellOccupied{};
    int room = 0;                       // empty free cells + empty columns
    AnalysisComment comment = AnalysisComment::None;
    bool redrawFrame = false;           // clear the panel, draw headings and zero counters

    bool FoundMove(MoveKind kind) const { return counts[kind] > 0; }
};

// The moves of each kind the table allows now, under the same limits as the
// drop; empty columns are not tried as destinations, since a move there is
// always possible and tells the player nothing.
MoveAnalysis CountMoves(const Table &table, const PileSuitOrder &pileSuit);

} // namespace quintara
