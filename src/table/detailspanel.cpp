#include "table/detailspanel.h"

#include <utility>

#include <QPainter>

#include "table/drawingtools.h"

namespace quintara {

DetailsPanel::DetailsPanel(GameState &state, QImage &panel, std::function<void()> clearPanel,
                           std::function<void()> showPanel)
    : state_(state), panel_(panel), clearPanel_(std::move(clearPanel)), showPanel_(std::move(showPanel)),
      narrator_(state, [this](const DetailsDraw &draw) { Execute(draw); })
{
}

void DetailsPanel::Execute(const DetailsDraw &draw)
{
    switch (draw.kind) {
    case DetailsDraw::Kind::ClearPanel:
        clearPanel_();
        break;
    case DetailsDraw::Kind::Text:
        DrawText(draw);
        break;
    case DetailsDraw::Kind::ShowPanel:
        showPanel_();
        break;
    }
}

void DetailsPanel::DrawText(const DetailsDraw &draw)
{
    // Once the pictures are let go there is nothing left to write on.
    if (panel_.isNull())
        return;
    QPainter painter(&panel_);
    // Opaque, so a text erases what an earlier narration left beneath it.
    DrawPanelText(painter, draw.x, draw.y, draw.text, PanelFont(draw.family, draw.underline),
                  ToColor(draw.colour), ToColor(state_.Layout.TableColour));
}

} // namespace quintara
