#include "moves/legalmoves.h"

#include <algorithm>
#include <array>

#include "core/automove.h"
#include "moves/rules.h"

namespace quintara {

namespace {

class MoveLister {
public:
    MoveLister(const Table &table, const PileSuitOrder &pileSuit, MoveSet set, std::vector<Move> &out)
        : table(table), pileSuit(pileSuit), every(set == MoveSet::Every), out(out),
          capacity(MoveCapacity(table))
    {
        for (int c = 0; c < ColumnCount; ++c)
            top[c] = TopSlot(table.Columns[c]).value_or(-1);
    }

    void List()
    {
        for (int i = 0; i < CellCount; ++i) {
            if (table.Cells[i].Occupied != 0)
                AddFrom({FromCell, i, 0, table.Cells[i].Card}, Place::Cell);
        }
        for (int c = 0; c < ColumnCount; ++c) {
            if (top[c] >= 0)
                AddFrom({FromColumn, c, top[c], table.Columns[c].Card[top[c]]}, Place::Column);
        }
    }

private:
    void AddFrom(const MoveSource &source, Place fromKind)
    {
        const Move base{fromKind, source.Index, Place::Cell, 0, 1, source.Card};
        ToCells(base);
        ToPiles(base);
        ToColumns(source, base);
    }

    void ToCells(const Move &base)
    {
        // An ace never rests in a free cell; a card moved from cell to cell
        // only changes places, which the compact search never needs.
        if (Rank(base.card) == 0 || (base.fromKind == Place::Cell && !every))
            return;
        for (int i = 0; i < CellCount; ++i) {
            if (table.Cells[i].Occupied != 0)
                continue;
            Move move = base;
            move.to = i;
            out.push_back(move);
            if (!every)
                return;
        }
    }

    void ToPiles(const Move &base)
    {
        for (int p = 0; p < PileCount; ++p) {
            if (!CanGoToFoundation(table, pileSuit, p, base.card))
                continue;
            Move move = base;
            move.toKind = Place::Pile;
            move.to = p;
            out.push_back(move);
        }
    }

    void ToColumns(const MoveSource &source, const Move &base)
    {
        bool emptyTried = false;
        for (int d = 0; d < ColumnCount; ++d) {
            if (base.fromKind == Place::Column && d == source.Index)
                continue;
            Move move = base;
            move.toKind = Place::Column;
            move.to = d;
            if (top[d] >= 0) {
                const int n = ColumnMoveCount(table, source, d, top[d]);
                if (n == 0 || !ColumnHasRoom(top[d], n) || (n > 1 && n > capacity))
                    continue;
                move.count = n;
                move.onto = table.Columns[d].Card[top[d]];
                out.push_back(move);
            } else if (every || !emptyTried) {
                emptyTried = true;
                IntoEmpty(source, move);
            }
        }
    }

    // One card always; from a column also the run the question offers, when
    // the player says Yes to it.
    void IntoEmpty(const MoveSource &source, Move move)
    {
        if (move.fromKind == Place::Cell) {
            out.push_back(move);
            return;
        }
        const int run = ColumnMoveCount(table, source, move.to, EmptyColumnSlot);
        const int offered = EmptyColumnLimit(table, run);
        const int columnSize = source.Slot + 1;
        move.question = offered > 1;
        if (every || columnSize > 1)
            out.push_back(move);
        if (offered > 1 && (every || offered < columnSize)) {
            move.count = offered;
            move.answerYes = true;
            out.push_back(move);
        }
    }

    const Table &table;
    const PileSuitOrder &pileSuit;
    const bool every;
    std::vector<Move> &out;
    const int capacity;
    std::array<int, ColumnCount> top{};
};

} // namespace

void ListMoves(const Table &table, const PileSuitOrder &pileSuit, MoveSet set,
               std::vector<Move> &out)
{
    out.clear();
    MoveLister(table, pileSuit, set, out).List();
}

ReplayOutcome ReplaySolution(Table table, const PileSuitOrder &pileSuit, bool autoMoveHold,
                             const std::vector<Move> &moves)
{
    ReplayOutcome outcome;
    std::vector<Move> legal;
    for (const Move &move : moves) {
        ListMoves(table, pileSuit, MoveSet::Every, legal);
        if (IsWon(table) || std::find(legal.begin(), legal.end(), move) == legal.end()) {
            outcome.refused = outcome.played;
            return outcome;
        }
        PlayMove(table, pileSuit, autoMoveHold, move);
        ++outcome.played;
    }
    outcome.won = IsWon(table);
    return outcome;
}

namespace {

QString PlaceText(Place kind, int index)
{
    switch (kind) {
    case Place::Cell:
        return QStringLiteral("cella %1").arg(index + 1);
    case Place::Pile:
        return QStringLiteral("fila %1").arg(index + 1);
    case Place::Column:
        break;
    }
    return QStringLiteral("colonna %1").arg(index + 1);
}

} // namespace

QString MoveText(const Move &move)
{
    QString text = PlaceText(move.fromKind, move.from) + QStringLiteral(" -> ") + PlaceText(move.toKind, move.to);
    if (move.count > 1)
        text += QStringLiteral(" (%1 carte)").arg(move.count);
    return text;
}

} // namespace quintara
