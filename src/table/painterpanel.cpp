// The panel under the tableau: its own picture, laid on the tableau's
// buffer or shown on the window.

#include <QPainter>

#include "core/gamestate.h"
#include "table/drawingtools.h"
#include "table/painter.h"

namespace quintara {

QRect InfoPanelArea(const TableLayout &layout)
{
    return {layout.panel.InfoPanelLeft, layout.panel.InfoPanelTop, layout.panel.InfoPanelSize.width, layout.panel.InfoPanelSize.height};
}

void TablePainter::ShowInfoPanel(const GameState &state, QImage &window) const
{
    ShowInfoPanel(state, window, InfoPanelArea(state.Layout));
}

void TablePainter::ShowInfoPanel(const GameState &state, QImage &window, const QRegion &area) const
{
    const QRect panel = InfoPanelArea(state.Layout);
    if (!infoPanel_.isNull())
        CopyRegion(window, infoPanel_, area & panel, panel.topLeft());
}

void TablePainter::ResetInfoPanel(GameState &state, QImage &window)
{
    if (!infoPanel_.isNull() && !tableBuffer_.isNull()) {
        infoPanel_.fill(ToColor(state.Layout.window.TableColour));
        // The blank panel hides the ends of long columns until they are drawn whole again.
        DrawOver(state.Layout, window, InfoPanelArea(state.Layout), Surface::TableauAndWindow);
        QPainter(&tableBuffer_).drawImage(state.Layout.panel.InfoPanelLeft, state.Layout.panel.InfoPanelTop, infoPanel_);
        ShowInfoPanel(state, window);
    }
    state.panels.PanelNeedsRedraw = true;
}

void TablePainter::ClearDetailsPanel(GameState &state)
{
    if (!state.flags.DetailsShown)
        return;
    if (!infoPanel_.isNull())
        infoPanel_.fill(ToColor(state.Layout.window.TableColour));
    state.panels.DetailsHeaderDue = false;
}

} // namespace quintara
