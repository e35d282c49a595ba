#include "table/layout.h"

namespace quintara {

namespace {

int screenClassFor(int screenWidth)
{
    if (screenWidth < 800)
        return 0;
    return screenWidth < 1024 ? 1 : 2;
}

} // namespace

TableLayout ComputeLayout(const LayoutInput &input)
{
    TableLayout l;

    // The screen decides the class; a 600-pixel-high layout (class 1) gets
    // the panel 168 pixels higher and 168 / 18 = 9 lines fewer.
    l.window.ScreenClass = screenClassFor(input.screenWidth);
    l.panel.DetailsDepthLimit = l.window.ScreenClass == 1 ? 9 : (l.window.ScreenClass == 2 ? 18 : 0);
    l.panel.InfoPanelTop = l.window.ScreenClass == 1 ? 367 : 535;
    l.panel.DetailsLineLimit = l.window.ScreenClass == 1 ? 5 : 14;

    const Size card = input.origCardSize ? NormalCardSize : LargeCardSize;
    l.grid.CardWidth = card.width;
    l.grid.CardHeight = card.height;

    l.grid.PileRowWidth = 4 * l.grid.CardWidth + 4;
    l.window.PlayAreaHeight = input.clientHeight - input.statusBarHeight;
    l.grid.TopStripHeight = 2 * l.grid.TableMargin + l.grid.CardHeight;
    l.window.PlayAreaWidth = 2 * (l.grid.TableMargin + l.grid.PileRowWidth) + input.bitBtnWidth + 2 * l.buttons.ButtonGap;

    l.window.ClientWidth = input.clientWidth;
    if (l.window.PlayAreaWidth + l.grid.TableMargin > l.window.ClientWidth)
        l.window.ClientWidth = l.window.PlayAreaWidth + l.grid.TableMargin;
    l.window.ClientHeight = input.clientHeight;

    l.buttons.BitBtnTop = l.buttons.ButtonGap;
    l.buttons.BitBtnLeft = l.grid.TableMargin + l.grid.PileRowWidth + l.buttons.ButtonGap;
    l.grid.FoundationLeft = l.buttons.BitBtnLeft + input.bitBtnWidth + l.buttons.ButtonGap;

    l.panel.InfoPanelLeft = l.grid.TableMargin - 2;
    l.panel.InfoPanelSize = {l.window.PlayAreaWidth - (l.grid.TableMargin + 6),
                       input.clientHeight - l.panel.InfoPanelTop - input.statusBarHeight - 10};
    const int buttonLeft = l.window.PlayAreaWidth + (l.window.ScreenClass == 1 ? 21 : 42);
    l.buttons.UndoBtnLeft = buttonLeft;
    l.buttons.ShowBtnLeft = buttonLeft;

    const int m = l.grid.TableMargin;
    l.grid.CellFrame = {m, m, m + l.grid.PileRowWidth, m + l.grid.CardHeight};
    l.grid.FoundationFrame = {l.grid.FoundationLeft, m, l.grid.FoundationLeft + l.grid.PileRowWidth, m + l.grid.CardHeight};
    l.buffers.TopCopyRect = {6, 6, l.window.PlayAreaWidth - 6, l.grid.TopStripHeight};
    l.buffers.TableCopyRect = {6, l.grid.TopStripHeight, l.window.PlayAreaWidth - 6, l.window.PlayAreaHeight};
    l.window.OuterFrame = {4, 4, l.window.PlayAreaWidth - 4, l.window.ClientHeight};
    l.window.SideArea = {l.window.PlayAreaWidth, l.grid.TopStripHeight, l.window.ClientWidth, l.window.ClientHeight};

    l.buffers.TopBufferSize = {l.window.PlayAreaWidth, l.grid.TopStripHeight};
    l.buffers.TableBufferSize = {l.window.PlayAreaWidth, l.window.PlayAreaHeight};
    l.buffers.CardBufferSize = {l.grid.CardWidth, l.grid.CardHeight};
    return l;
}

PixelRect ColumnStrip(const TableLayout &layout, int columnX)
{
    return {columnX - 1, layout.grid.TopStripHeight, columnX - 1 + layout.grid.CardWidth + 2,
            layout.buffers.TableBufferSize.height};
}

} // namespace quintara
