#include "table/detailspanel.h"

#include <utility>

#include <QPainter>

#include "table/drawingtools.h"

namespace quintara {

DetailsLook LookOf(DetailsRole role, int line, const TableLayout &layout)
{
    using namespace details_panel;
    const int left = layout.grid.TableMargin - 2;
    switch (role) {
    case DetailsRole::MoveHeading:
        return {left, HeadingY, CourierNew, Aqua, true};
    case DetailsRole::SearchHeading:
        return {RightX, HeadingY, CourierNew, Aqua, true};
    case DetailsRole::ResultHeading:
        return {left, ResultHeadingY, CourierNew, Aqua, true};
    case DetailsRole::Source:
        return {left, SourceY, CourierNew, White, false};
    case DetailsRole::Destination:
        return {left, DestinationY, CourierNew, White, false};
    case DetailsRole::DestinationColumn:
        return {left, DestinationColumnY, CourierNew, White, false};
    case DetailsRole::VerdictYes:
        return {left, VerdictY, CourierNew, Lime, false};
    case DetailsRole::VerdictNo:
        return {left, VerdictY, CourierNew, Yellow, false};
    case DetailsRole::SearchLine:
        break;
    }
    return {RightX, SearchTopY + line * LineStep, TimesNewRoman, White, false};
}

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
    const DetailsLook look = LookOf(draw.role, draw.line, state_.Layout);
    DrawPanelText(painter, look.x, look.y, draw.text, PanelFont(QString::fromLatin1(look.family), look.underline),
                  ToColor(look.colour), ToColor(state_.Layout.window.TableColour));
}

} // namespace quintara
