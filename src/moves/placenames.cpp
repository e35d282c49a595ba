#include "moves/placenames.h"

namespace quintara {

namespace {

// "dei Fiori", "delle Picche": the pile's suit as its name takes it.
QString OfSuit(int suit)
{
    const QString name = SuitName(suit);
    return (name == QLatin1String("Picche") ? QStringLiteral("delle ") : QStringLiteral("dei ")) + name;
}

// "al 5", "all'Asso", "all'8", "alla Donna".
QString ToRank(int rank)
{
    const QString name = RankName(rank);
    if (name == QLatin1String("Donna"))
        return QStringLiteral("alla ") + name;
    if (name == QLatin1String("Asso") || name == QLatin1String("8"))
        return QStringLiteral("all'") + name;
    return QStringLiteral("al ") + name;
}

} // namespace

PlaceRef PlaceOf(int number)
{
    if (number < ColumnCount)
        return {Place::Column, number};
    if (number < ColumnCount + CellCount)
        return {Place::Cell, number - ColumnCount};
    return {Place::Pile, number - ColumnCount - CellCount};
}

int PlaceNumber(Place kind, int index)
{
    switch (kind) {
    case Place::Column: return index;
    case Place::Cell: return ColumnCount + index;
    case Place::Pile: break;
    }
    return ColumnCount + CellCount + index;
}

QString PlaceName(const GameState &state, PlaceRef place)
{
    const Table &table = state.table;
    const QString empty = QStringLiteral("vuota");
    switch (place.kind) {
    case Place::Column: {
        const TableColumn &column = table.Columns[place.index];
        const std::optional<int> top = TopSlot(column);
        const QString head = QStringLiteral("Colonna %1: ").arg(place.index + 1);
        if (!top)
            return head + empty;
        const int cards = *top + 1;
        return head + (cards == 1 ? QStringLiteral("1 carta") : QStringLiteral("%1 carte").arg(cards))
               + QStringLiteral(", in cima ") + CardText(column.Card[*top]);
    }
    case Place::Cell: {
        const SlotRecord &cell = table.Cells[place.index];
        return QStringLiteral("Cella %1: ").arg(place.index + 1) + (cell.Occupied ? CardText(cell.Card) : empty);
    }
    case Place::Pile:
        break;
    }
    const SlotRecord &pile = table.Foundations[place.index];
    return QStringLiteral("Fila ") + OfSuit(state.deal.GamePileSuit[place.index]) + QStringLiteral(": ")
           + (pile.Occupied ? QStringLiteral("fino ") + ToRank(Rank(pile.Card)) : empty);
}

} // namespace quintara
