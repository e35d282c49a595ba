#include "table/detailspanel.h"

#include <utility>

#include <QFont>
#include <QPainter>

namespace quintara {

namespace {

QColor ToColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

} // namespace

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
    QFont font(draw.family);
    font.setPointSize(details_panel::PointSize);
    font.setUnderline(draw.underline);
    QPainter painter(&panel_);
    painter.setFont(font);
    painter.setPen(ToColor(draw.colour));
    // Opaque, so a text erases what an earlier narration left beneath it.
    painter.setBackground(ToColor(state_.Layout.TableColour));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.drawText(draw.x, draw.y + painter.fontMetrics().ascent(), draw.text);
}

} // namespace quintara
