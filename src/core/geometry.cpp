#include "core/geometry.h"

namespace quintara {

int ColumnLeft(const TableLayout &layout, int column)
{
    return layout.TableMargin - 1 + column * (layout.CardWidth + layout.ColumnGap);
}

int RowTop(const TableLayout &layout, int row)
{
    return 2 * layout.TableMargin + layout.CardHeight + row * layout.RowStep;
}

int CellLeft(const TableLayout &layout, int cell)
{
    return layout.TableMargin + cell * layout.CardWidth + 1;
}

int PileLeft(const TableLayout &layout, int pile)
{
    return layout.FoundationLeft + pile * layout.CardWidth + 1;
}

int CellRowTop(const TableLayout &layout)
{
    return layout.TableMargin + 1;
}

PixelRect CardRect(const TableLayout &layout, int x, int y)
{
    return {x, y, x + layout.CardWidth, y + layout.CardHeight};
}

} // namespace quintara
