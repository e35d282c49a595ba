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
    l.ScreenClass = screenClassFor(input.screenWidth);
    l.DetailsDepthLimit = l.ScreenClass == 1 ? 9 : (l.ScreenClass == 2 ? 18 : 0);
    l.InfoPanelTop = l.ScreenClass == 1 ? 367 : 535;
    l.DetailsLineLimit = l.ScreenClass == 1 ? 5 : 14;

    l.CardWidth = input.origCardSize ? 72 : 142;
    l.CardHeight = input.origCardSize ? 96 : 192;

    l.PileRowWidth = 4 * l.CardWidth + 4;
    l.PlayAreaHeight = input.clientHeight - input.statusBarHeight;
    l.TopStripHeight = 2 * l.TableMargin + l.CardHeight;
    l.PlayAreaWidth = 2 * (l.TableMargin + l.PileRowWidth) + input.bitBtnWidth + 2 * l.ButtonGap;

    l.ClientWidth = input.clientWidth;
    if (l.PlayAreaWidth + l.TableMargin > l.ClientWidth)
        l.ClientWidth = l.PlayAreaWidth + l.TableMargin;
    l.ClientHeight = input.clientHeight;

    l.BitBtnTop = l.ButtonGap;
    l.BitBtnLeft = l.TableMargin + l.PileRowWidth + l.ButtonGap;
    l.FoundationLeft = l.BitBtnLeft + input.bitBtnWidth + l.ButtonGap;

    l.ColumnGap = input.columnSpacing;
    l.RowStep = DealtRowStep;

    l.InfoPanelLeft = l.TableMargin - 2;
    l.InfoPanelSize = {l.PlayAreaWidth - (l.TableMargin + 6),
                       input.clientHeight - l.InfoPanelTop - input.statusBarHeight - 10};
    const int buttonLeft = l.PlayAreaWidth + (l.ScreenClass == 1 ? 21 : 42);
    l.UndoBtnLeft = buttonLeft;
    l.ShowBtnLeft = buttonLeft;

    const int m = l.TableMargin;
    l.CellFrame = {m, m, m + l.PileRowWidth, m + l.CardHeight};
    l.FoundationFrame = {l.FoundationLeft, m, l.FoundationLeft + l.PileRowWidth, m + l.CardHeight};
    l.TopCopyRect = {6, 6, l.PlayAreaWidth - 6, l.TopStripHeight};
    l.TableCopyRect = {6, l.TopStripHeight, l.PlayAreaWidth - 6, l.PlayAreaHeight};
    l.OuterFrame = {4, 4, l.PlayAreaWidth - 4, l.ClientHeight};
    l.SideArea = {l.PlayAreaWidth, l.TopStripHeight, l.ClientWidth, l.ClientHeight};

    l.TopBufferSize = {l.PlayAreaWidth, l.TopStripHeight};
    l.TableBufferSize = {l.PlayAreaWidth, l.PlayAreaHeight};
    l.CardBufferSize = {l.CardWidth, l.CardHeight};
    return l;
}

PixelRect ColumnStrip(const TableLayout &layout, int columnX)
{
    return {columnX - 1, layout.TopStripHeight, columnX - 1 + layout.CardWidth + 2,
            layout.TableBufferSize.height};
}

} // namespace quintara
