#include "core/geometry.h"

namespace quintara {

int ColumnLeft(const TableLayout &layout, int columnGap, int column)
{
    return layout.grid.TableMargin - 1 + column * (layout.grid.CardWidth + columnGap);
}

int RowTop(const TableLayout &layout, int row)
{
    return 2 * layout.grid.TableMargin + layout.grid.CardHeight + row * layout.grid.RowStep;
}

int CellLeft(const TableLayout &layout, int cell)
{
    return layout.grid.TableMargin + cell * layout.grid.CardWidth + 1;
}

int PileLeft(const TableLayout &layout, int pile)
{
    return layout.grid.FoundationLeft + pile * layout.grid.CardWidth + 1;
}

int CellRowTop(const TableLayout &layout)
{
    return layout.grid.TableMargin + 1;
}

PixelRect CardRect(const TableLayout &layout, int x, int y)
{
    return {x, y, x + layout.grid.CardWidth, y + layout.grid.CardHeight};
}

} // namespace quintara
