#include "core/table.h"

namespace quintara {

std::optional<int> TopSlot(const TableColumn &column)
{
    for (int slot = SlotCount - 1; slot >= 0; --slot) {
        if (column.Occupied[slot] == 1)
            return slot;
    }
    return std::nullopt;
}

int CountEmptyCells(const Table &table)
{
    int count = 0;
    for (const SlotRecord &cell : table.Cells)
        count += cell.Occupied == 0 ? 1 : 0;
    return count;
}

int CountEmptyColumns(const Table &table)
{
    int count = 0;
    for (const TableColumn &column : table.Columns)
        count += column.Occupied[0] == 0 ? 1 : 0;
    return count;
}

QString SuitName(int suit)
{
    static const char *const names[] = {"Cuori", "Quadri", "Picche", "Fiori", "nessuna"};
    return QString::fromUtf8(names[suit >= 0 && suit <= 4 ? suit : 4]);
}

QString RankName(int rank)
{
    static const char *const names[] = {"Asso", "2", "3", "4", "5", "6", "7",
                                        "8", "9", "10", "Fante", "Donna", "Re"};
    return QString::fromUtf8(rank >= 0 && rank < RankCount ? names[rank] : "");
}

CardNamePair CardName(CardCode card)
{
    return {RankName(Rank(card)), SuitName(Suit(card))};
}

QString CardText(CardCode card)
{
    const CardNamePair name = CardName(card);
    return QStringLiteral("%1 di %2").arg(name.rank, name.suit);
}

} // namespace quintara
