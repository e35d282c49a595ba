// The main window's side of the preference "La carta segue il puntatore":
// while the mouse drags the held card, the card is drawn under the pointer.
// Each motion puts back only the card's old rectangle from the buffers and
// draws the card in its new one, so a motion costs two card-sized copies,
// not a paint of the table.

#include <utility>

#include <QPainter>

#include "core/rules.h"
#include "table/carddrawing.h"
#include "table/mainwindow.h"
#include "table/tableview.h"

namespace quintara {

void TForm1::StartFollowing(QPoint press)
{
    following = {};
    following.on = state.Settings.CardFollowsPointer && state.held.PickedFrom != FromNothing;
    following.grab = press - heldAt;
}

void TForm1::FollowPointer(QPoint pointer)
{
    QImage &window = view->canvas();
    QImage &card = painter.FlightBuffer();
    if (!following.on || card.isNull() || state.paint.PaintSuspended || state.held.PickedFrom == FromNothing)
        return;
    QRegion shown;
    if (following.drawn) {
        painter.Restore(state, window, following.at);
        shown += following.at;
    } else {
        cards->DrawCard(card, window, 0, 0, state.held.PickedCard, DrawNormal, state.Layout.window.TableColour);
    }
    following.at = QRect(pointer - following.grab, card.deviceIndependentSize().toSize());
    // Only over the buffers: elsewhere (the side picture, the buttons) no
    // copy would wipe the card again.
    const QRegion drawn = TablePainter::BufferedArea(state.Layout) & following.at;
    {
        QPainter p(&DrawOnWindow(drawn));
        p.setClipRegion(drawn);
        p.drawImage(following.at.topLeft(), card);
    }
    following.drawn = true;
    view->showNow(shown + drawn);
}

std::optional<QRect> TForm1::StopFollowing()
{
    const Following was = std::exchange(following, {});
    if (!was.drawn)
        return std::nullopt;
    painter.Restore(state, view->canvas(), was.at);
    view->showNow(was.at);
    return was.at;
}

void TForm1::FlyBackIfRefused(const MoveSource &held, QPoint from)
{
    const Place kind = held.From == FromCell ? Place::Cell : Place::Column;
    if (held.From == FromNothing || SourceOf(state.table, kind, held.Index).Card != held.Card)
        return;
    FlyCard(held.Card, from.x(), from.y(), heldAt.x(), heldAt.y());
    // The flight ends on a plain card; a card still held shows highlighted again.
    Repaint(PaintSender::BitBtn1);
}

} // namespace quintara
