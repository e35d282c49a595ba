#include "moves/legalmoves.h"

#include "core/automove.h"
#include "core/rules.h"

namespace quintara {

namespace {

class MoveLister {
public:
    MoveLister(const Table &table, const PileSuitOrder &pileSuit, MoveSet set, std::vector<Move> &out)
        : table(table), pileSuit(pileSuit), every(set == MoveSet::Every), out(out)
    {
    }

    void List()
    {
        for (int i = 0; i < CellCount; ++i)
            AddFrom(SourceOf(table, Place::Cell, i));
        for (int c = 0; c < ColumnCount; ++c)
            AddFrom(SourceOf(table, Place::Column, c));
    }

private:
    void AddFrom(const MoveSource &source)
    {
        if (source.From == FromNothing)
            return;
        // A card moved from cell to cell only changes places, which the
        // compact search never needs.
        if (every || source.From == FromColumn)
            To(source, Place::Cell, every ? CellCount : 1);
        To(source, Place::Pile, PileCount);
        bool emptyTried = false;
        for (int d = 0; d < ColumnCount; ++d) {
            const Ruling r = Judge(table, pileSuit, source, Place::Column, d);
            if (r.verdict != MoveVerdict::Legal)
                continue;
            if (!r.move.IntoEmptyColumn())
                out.push_back(r.move);
            else if (every || !emptyTried) {
                emptyTried = true;
                IntoEmpty(source, r.move);
            }
        }
    }

    // The first `most` places of a kind that take the card.
    void To(const MoveSource &source, Place kind, int most)
    {
        const int places = kind == Place::Cell ? CellCount : PileCount;
        for (int i = 0; i < places && most > 0; ++i) {
            const Ruling r = Judge(table, pileSuit, source, kind, i);
            if (r.verdict != MoveVerdict::Legal)
                continue;
            out.push_back(r.move);
            --most;
        }
    }

    // One card always; from a column also the run the question offers, when
    // the player says Yes to it.
    void IntoEmpty(const MoveSource &source, Move offer)
    {
        const int offered = offer.count;
        const int columnSize = source.Slot + 1;
        Move one = offer;
        one.count = 1;
        if (source.From == FromCell || every || columnSize > 1)
            out.push_back(one);
        if (offer.question && (every || offered < columnSize)) {
            offer.answerYes = true;
            out.push_back(offer);
        }
    }

    const Table &table;
    const PileSuitOrder &pileSuit;
    const bool every;
    std::vector<Move> &out;
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
    for (const Move &move : moves) {
        if (IsWon(table) || !IsLegal(table, pileSuit, move)) {
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
