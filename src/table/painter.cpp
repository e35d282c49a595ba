#include "table/painter.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/gamestate.h"
#include "table/carddrawing.h"
#include "table/drawingtools.h"

namespace quintara {

namespace {

const QColor FrameTopLeft(200, 180, 150);
const QColor FrameRight(210, 218, 200);
const QColor FrameBottom(0, 218, 0);
const QColor EmptySlotLine(170, 160, 134);

// A 1-pixel line from (x1, y1) towards (x2, y2), leaving out the end point.
// Filled as a rectangle of whole table pixels, so that on a scaled screen it
// stays as sharp and in the same place as at scale 1.
void Line(QPainter &p, const QColor &colour, int x1, int y1, int x2, int y2)
{
    if (x1 == x2)
        p.fillRect(x1, qMin(y1, y2 + 1), 1, qAbs(y2 - y1), colour);
    else
        p.fillRect(qMin(x1, x2 + 1), y1, qAbs(x2 - x1), 1, colour);
}

// The outer frame, as a 2-pixel pen traces it: the two pixels from the left
// and top edges and the two before the right and bottom edges, the very last
// row short of its two corners.
void DrawOuterFrame(const TableLayout &l, QImage &window)
{
    QPainter p(&window);
    const PixelRect &r = l.window.OuterFrame;
    p.fillRect(r.left, r.top, r.width(), 2, FrameBottom);
    p.fillRect(r.left, r.top, 2, r.height() - 1, FrameBottom);
    p.fillRect(r.right - 2, r.top, 2, r.height() - 1, FrameBottom);
    p.fillRect(r.left + 1, r.bottom - 2, r.width() - 2, 2, FrameBottom);
}

// A card of a column as drawn.
struct ShownCard {
    int x = 0;
    int y = 0;
    CardCode card = 0;
    std::int32_t mode = 0;
    bool operator==(const ShownCard &) const = default;
};

std::vector<ShownCard> CardsOf(const TableColumn &column)
{
    int n = 0;
    for (auto occupied : column.Occupied)
        n += occupied == 1 ? 1 : 0;
    std::vector<ShownCard> cards;
    for (int r = 0; r < n; ++r) {
        if (column.Occupied[r] == 1)
            cards.push_back({column.X[r], column.Y[r], column.Card[r], column.DrawMode[r]});
    }
    return cards;
}

// Each card lies lower than the one before, or level with it.
bool GoesDown(const std::vector<ShownCard> &cards)
{
    return std::is_sorted(cards.begin(), cards.end(),
                          [](const ShownCard &a, const ShownCard &b) { return a.y < b.y; });
}

// A buffer's whole area, in the window's coordinates, which it shares.
QRect Whole(Size size)
{
    return {0, 0, size.width, size.height};
}

QImage Buffer(Size size, qreal scale, const QColor &fill)
{
    QImage image(qMax(1, qCeil(size.width * scale)), qMax(1, qCeil(size.height * scale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

// Where the cards of a column lie.
QRect CardsArea(const TableLayout &l, const std::vector<ShownCard> &cards)
{
    QRect area;
    for (const ShownCard &card : cards)
        area |= QRect(card.x, card.y, l.grid.CardWidth, l.grid.CardHeight);
    return area;
}

using SlotLooksArray = std::array<SlotRecord, CellCount + PileCount>;

// A row's frame on the table's ground, left out under the slots, which are
// drawn next, each laying its own; but at a fractional scale, where the
// edges of two fills might not meet, under all of the row.
void DrawRowFrame(const TableLayout &l, QImage &target, int left, const SlotLooksArray &looks)
{
    const int top = l.grid.TableMargin;
    QRegion ground(left, top, l.grid.PileRowWidth, l.grid.CardHeight);
    const qreal scale = target.devicePixelRatio();
    if (scale == std::floor(scale)) {
        for (const SlotRecord &look : looks)
            ground -= QRect(look.X, look.Y, l.grid.CardWidth, l.grid.CardHeight);
    }
    FillArea(target, ground, ToColor(l.window.TableColour));
    QPainter p(&target);
    Line(p, FrameTopLeft, left, top, left + l.grid.PileRowWidth - 2, top);
    Line(p, FrameTopLeft, left, top, left, top + l.grid.CardHeight + 1);
    const int right = left + 4 * l.grid.CardWidth + 1;
    Line(p, FrameRight, right, top, right, top + l.grid.CardHeight + 1);
    Line(p, FrameBottom, left, top + l.grid.CardHeight + 1, left + l.grid.PileRowWidth - 2, top + l.grid.CardHeight + 1);
}

// What each slot looks like: a card, or when empty a blank card (a cell) or
// the pile's picture, with a line on its left. The free cells come first.
SlotLooksArray SlotLooks(const GameState &state)
{
    SlotLooksArray looks;
    for (std::size_t i = 0; i < looks.size(); ++i) {
        const bool cell = i < CellCount;
        SlotRecord &look = looks[i];
        look = cell ? state.table.Cells[i] : state.table.Foundations[i - CellCount];
        if (!look.Occupied) {
            look.Card = cell ? 0 : state.deal.EmptyPileImage[i - CellCount];
            look.DrawMode = cell ? DrawBlank : DrawPicture;
        }
    }
    return looks;
}

// A slot's card, with the line on its left an empty one has.
QRect SlotArea(const TableLayout &l, const SlotRecord &slot)
{
    return {slot.X - 1, slot.Y, l.grid.CardWidth + 1, l.grid.CardHeight};
}

// A slot as it looks, on the table's ground, over its SlotArea.
void DrawSlot(const TableLayout &l, const SlotRecord &look, QImage &target, QImage &window, CardPainter &cards)
{
    const QRect card = QRect(look.X, look.Y, l.grid.CardWidth, l.grid.CardHeight);
    // A face is laid on the table's ground, as on a row drawn anew; a blank
    // slot is that ground.
    FillArea(target, QRegion(card) - cards.OpaquePart(target, look.X, look.Y, look.Card, look.DrawMode, card.height()),
             ToColor(l.window.TableColour));
    if (look.DrawMode != DrawBlank)
        cards.DrawCard(target, window, look.X, look.Y, look.Card, look.DrawMode, l.window.TableColour);
    if (!look.Occupied) {
        QPainter p(&target);
        Line(p, EmptySlotLine, look.X - 1, look.Y, look.X - 1, look.Y + l.grid.CardHeight);
    }
}

// The picture beside the table, when the player wants it and it is not
// on the window yet. Returns the area drawn.
QRegion ShowSidePicture(GameState &state, QImage &window, const QImage &sidePicture)
{
    if (!state.Settings.ShowPicture || !state.Settings.PictureFileOk || state.paint.PictureShown || sidePicture.isNull())
        return {};
    const QRect side = ToQRect(state.Layout.window.SideArea);
    QPainter(&window).drawImage(side, sidePicture);
    state.paint.PictureShown = true;
    return side;
}

// Lays the bare table over `area` of `picture` (a buffer, the window or a
// part of either), which lies on the window with its top left corner at
// `origin`, and takes the area out of `covered`, where the table's picture
// may show anything else. Only there is the table laid, and
// not under `kept`, which what comes next covers whatever lies under it; but
// at a fractional scale, where a drawing may spill a part of a pixel past its
// area, all of it is. On a fine screen a fill of the whole table costs as
// much as all the cards on it. Returns where the window may show anything
// else there.
QRegion LayBare(QImage &picture, QPoint origin, QRegion &covered, const QRegion &area, bool exact, const QColor &colour,
                const QRegion &kept = {})
{
    const QRegion ground = exact ? covered & area : area;
    covered -= area;
    FillArea(picture, (exact ? ground - kept : ground).translated(-origin), colour);
    return ground;
}

// Brings the window up to the buffer: what was `drawn` on the buffer is
// copied, the rest of `ground` filled with the bare table.
void BringUp(QImage &window, const QImage &buffer, const QRegion &drawn, const QRegion &ground,
             const QColor &colour)
{
    // At a fractional scale a fill and a copy could disagree at an edge by
    // a pixel: there the ground is copied too.
    if (SamePixels(buffer, window)) {
        FillArea(window, ground - drawn, colour);
        CopyRegion(window, buffer, drawn);
    } else {
        CopyRegion(window, buffer, drawn + ground);
    }
}

} // namespace

void TablePainter::Forget(const TableLayout &l, OnBuffer buffer, const QRegion &area)
{
    if (buffer == OnBuffer::Top) {
        // A slot with the line on its left, which an empty one has.
        for (std::optional<SlotRecord> &shown : shownSlots_) {
            if (shown && area.intersects(SlotArea(l, *shown)))
                shown.reset();
        }
    } else {
        for (std::optional<TableColumn> &shown : shownColumns_) {
            if (shown && area.intersects(ToQRect(ColumnStrip(l, shown->X[0]))))
                shown.reset();
        }
    }
}

void TablePainter::ForgetAll(const TableLayout &l)
{
    Forget(l, OnBuffer::Top, Whole(l.buffers.TopBufferSize));
    Forget(l, OnBuffer::Tableau, Whole(l.buffers.TableBufferSize));
}

void TablePainter::CatchUp(const TableLayout &layout, const QImage &window, const QRegion &area)
{
    const QRegion due = behind_ & area;
    if (due.isEmpty())
        return;
    CopyRegion(topBuffer_, window, due & ToQRect(layout.buffers.TopCopyRect));
    CopyRegion(tableBuffer_, window, due & ToQRect(layout.buffers.TableCopyRect));
    behind_ -= due;
}

void TablePainter::DrawOver(const TableLayout &layout, const QImage &window, const QRegion &area, Surface surface)
{
    CatchUp(layout, window, area);
    if (surface == Surface::TableauAndWindow) {
        Forget(layout, OnBuffer::Tableau, area);
        tableauCovered_ += area;
    }
    drawnOver_ += area;
}

void TablePainter::CreateBuffers(const TableLayout &l, qreal scale)
{
    ForgetAll(l);
    topCovered_ = tableauCovered_ = behind_ = QRegion();
    const QColor table = ToColor(l.window.TableColour);
    topBuffer_ = Buffer(l.buffers.TopBufferSize, scale, table);
    tableBuffer_ = Buffer(l.buffers.TableBufferSize, scale, table);
    flightBuffer_ = Buffer(l.buffers.CardBufferSize, scale, table);
}

void TablePainter::CreateInfoPanel(const TableLayout &l, qreal scale)
{
    infoPanel_ = Buffer(l.panel.InfoPanelSize, scale, ToColor(l.window.TableColour));
}

void TablePainter::ReleaseBuffers()
{
    // Whatever buffers come next are new: CreateBuffers forgets what these showed.
    topBuffer_ = QImage();
    tableBuffer_ = QImage();
    flightBuffer_ = QImage();
    infoPanel_ = QImage();
    behind_ = QRegion();
}

QRegion TablePainter::PaintTopStrip(GameState &state, QImage &window, CardPainter &cards)
{
    const TableLayout &l = state.Layout;
    const SlotLooksArray looks = SlotLooks(state);
    for (std::size_t i = 0; i < looks.size(); ++i) {
        // Only the row's frame, drawn anew, takes away the line of a slot
        // that was empty.
        if (looks[i].Occupied && shownSlots_[i] && !shownSlots_[i]->Occupied)
            (i < CellCount ? state.paint.CellRowFrameDirty : state.paint.FoundationFrameDirty) = true;
    }

    // A full repaint, where the buffer's pixels are the window's, is drawn
    // straight on the window, and the buffer takes a part of it when that
    // part is drawn over or drawn again: a slot changed is drawn on the
    // buffer, then copied.
    const bool straight = state.paint.FullRepaint && SamePixels(topBuffer_, window);
    QImage &target = straight ? window : topBuffer_;
    const QRect copied = ToQRect(l.buffers.TopCopyRect);
    // What was drawn over the window comes back first, from the buffer,
    // which took the window's pixels before.
    const QRegion wiped = drawnOver_ & copied;
    if (straight)
        CopyRegion(window, topBuffer_, wiped);
    QRegion drawn;
    const auto rowArea = [&l](int left) {
        return QRect(left, l.grid.TableMargin, l.grid.PileRowWidth, l.grid.CardHeight + 2);
    };
    // Drawn on the buffer, an area first takes what the window shows there.
    const auto onBuffer = [&](const QRect &area) {
        if (!straight)
            CatchUp(l, window, area);
    };
    auto frameRow = [&](int left) {
        const QRect row = rowArea(left);
        onBuffer(row);
        DrawRowFrame(l, target, left, looks);
        Forget(l, OnBuffer::Top, row);
        drawn += row;
        topCovered_ += row;
    };
    QRegion ground;
    if (state.paint.FullRepaint) {
        // Each row's frame lays its own ground.
        topCovered_ -= QRegion(rowArea(l.grid.TableMargin)) + rowArea(l.grid.FoundationLeft);
        ground = LayBare(target, QPoint(), topCovered_, copied, SamePixels(topBuffer_, window),
                         ToColor(l.window.TableColour));
        state.paint.CellRowFrameDirty = true;
        state.paint.FoundationFrameDirty = true;
    }
    if (state.paint.CellRowFrameDirty) {
        frameRow(l.grid.TableMargin);
        state.paint.CellRowFrameDirty = false;
    }
    if (state.paint.FoundationFrameDirty) {
        frameRow(l.grid.FoundationLeft);
        state.paint.FoundationFrameDirty = false;
    }

    for (std::size_t i = 0; i < looks.size(); ++i) {
        const SlotRecord &look = looks[i];
        std::optional<SlotRecord> &shown = shownSlots_[i];
        if (shown == look)
            continue;
        const QRect slot = SlotArea(l, look);
        onBuffer(slot);
        DrawSlot(l, look, target, window, cards);
        drawn += slot;
        topCovered_ += slot;
        // The next slot of the row has its line over this card's last column.
        Forget(l, OnBuffer::Top, QRect(look.X, look.Y, l.grid.CardWidth, l.grid.CardHeight));
        shown = look;
    }

    return Finish(straight, window, topBuffer_, drawn & copied, ground, wiped, ToColor(l.window.TableColour));
}

QRegion TablePainter::Finish(bool straight, QImage &window, const QImage &buffer, const QRegion &drawn,
                             const QRegion &ground, const QRegion &wiped, const QColor &colour)
{
    if (straight) {
        behind_ += drawn + ground;
        return drawn + ground + wiped;
    }
    BringUp(window, buffer, drawn + wiped, ground, colour);
    return drawn + wiped + ground;
}

TablePainter::Redrawn TablePainter::PaintColumn(const GameState &state, int c, QImage &window, CardPainter &cards)
{
    const TableLayout &l = state.Layout;
    const TableColumn &column = state.table.Columns[c];
    std::optional<TableColumn> &shown = shownColumns_[c];
    const std::vector<ShownCard> now = CardsOf(column);
    const std::vector<ShownCard> before = shown ? CardsOf(*shown) : std::vector<ShownCard>();
    const std::size_t same = static_cast<std::size_t>(
        std::mismatch(now.begin(), now.end(), before.begin(), before.end()).first - now.begin());
    if (shown && same == now.size() && same == before.size())
        return {};

    const PixelRect strip = ColumnStrip(l, column.X[0]);
    QRect area = ToQRect(strip);
    const qreal scale = tableBuffer_.devicePixelRatio();
    const bool exact = SamePixels(tableBuffer_, window);
    // Past the cards both drawings share, the area runs down to the lower of
    // the two ends. Cut out only where the buffer's pixels are whole table
    // pixels and the cards go down the column.
    if (shown && same > 0 && exact && GoesDown(now) && GoesDown(before)) {
        int top = strip.bottom;
        int bottom = strip.top;
        for (const std::vector<ShownCard> *cardsOf : {&now, &before}) {
            if (same < cardsOf->size())
                top = qMin(top, (*cardsOf)[same].y);
            if (!cardsOf->empty())
                bottom = qMax(bottom, cardsOf->back().y + l.grid.CardHeight);
        }
        area = QRect(strip.left, top, strip.width(), qMin(bottom, strip.bottom) - top);
    }
    shown = column;
    // Only what the window shows of the buffer: a column of a cleared table
    // lies at its left edge.
    area &= ToQRect(l.buffers.TableCopyRect);
    if (area.isEmpty())
        return {};

    // Every card that reaches into the area is laid again, in order, on a
    // part of the picture that ends at its edges: the pixels come out as a
    // drawing of the whole column would leave them.
    const bool wholePixels = scale == std::floor(scale);
    QRegion ground;
    auto lay = [&](QImage &target, QImage &onWindow, QPoint origin) {
        // The cards that reach into the area, each with the rows of it that
        // show: a card under another shows only its top and what the corners
        // of the one on it leave open; the rest would be drawn over at once,
        // which on a fine screen costs most of a repaint.
        std::vector<std::pair<ShownCard, int>> laid;
        QRegion kept;
        for (std::size_t i = 0; i < now.size(); ++i) {
            const ShownCard &card = now[i];
            if (card.y + l.grid.CardHeight <= area.top() || card.y > area.bottom())
                continue;
            const ShownCard *over = i + 1 < now.size() ? &now[i + 1] : nullptr;
            const int rows = over && wholePixels && card.mode == DrawNormal && over->x == card.x && over->y > card.y
                                 ? std::min(l.grid.CardHeight, over->y - card.y + RoundedCornerRows)
                                 : l.grid.CardHeight;
            laid.emplace_back(card, rows);
            kept += cards.OpaquePart(target, card.x, card.y, card.card, card.mode, rows);
        }
        ground = LayBare(target, origin, tableauCovered_, area, exact, ToColor(l.window.TableColour), kept);
        for (const auto &[card, rows] : laid) {
            const QPoint at(card.x - origin.x(), card.y - origin.y());
            if (rows < l.grid.CardHeight)
                cards.DrawCardTop(target, at.x(), at.y(), card.card, rows);
            else
                cards.DrawCard(target, onWindow, at.x(), at.y(), card.card, card.mode, l.window.TableColour);
        }
    };
    // Where the window's pixels are the buffer's, straight on the window,
    // within the area as on the buffer; elsewhere the whole strip on the buffer.
    if (exact) {
        QImage part = PartOf(window, area);
        lay(part, part, area.topLeft());
    } else {
        lay(tableBuffer_, window, QPoint());
    }
    tableauCovered_ += CardsArea(l, now) & area;
    return {area, ground};
}

QRegion TablePainter::PaintTableau(GameState &state, QImage &window, CardPainter &cards)
{
    const TableLayout &l = state.Layout;
    const QRect whole = ToQRect(l.buffers.TableCopyRect);
    const QColor colour = ToColor(l.window.TableColour);
    // Where the buffer's pixels are the window's, the tableau is drawn
    // straight on the window: a full repaint writes each card once, not on
    // the buffer and again in the copy to the window. The buffer takes a
    // part of it only when something is about to be drawn over that part.
    // At a fractional scale it is drawn on the buffer, then copied.
    const bool straight = SamePixels(tableBuffer_, window);
    QImage &target = straight ? window : tableBuffer_;
    // What was drawn over the window comes back first, from the buffer,
    // which took the window's pixels before: what is drawn next lies on the
    // same picture as on the buffer.
    const QRegion wiped = drawnOver_ & whole;
    if (straight)
        CopyRegion(window, tableBuffer_, wiped);
    // The cards drawn anew, and the ground laid bare besides them.
    QRegion drawn;
    QRegion ground;
    // With no card left the columns keep their marks for the next deal.
    const bool columns = state.table.CardsLeft != 0;
    if (state.paint.FullRepaint) {
        // Each column lays its own strip, under its cards.
        QRegion rest = whole;
        for (const TableColumn &column : state.table.Columns)
            rest -= columns ? ToQRect(ColumnStrip(l, column.X[0])) : QRect();
        ground = LayBare(target, QPoint(), tableauCovered_, rest, straight, colour);
        Forget(l, OnBuffer::Tableau, Whole(l.buffers.TableBufferSize));
    }
    if (columns) {
        ClearDetailsPanel(state);
        // A full repaint forgot every column: each is drawn whole.
        for (int c = 0; c < ColumnCount; ++c) {
            if (!state.paint.ColumnDirty[c] && !state.paint.FullRepaint)
                continue;
            const Redrawn column = PaintColumn(state, c, window, cards);
            drawn += tableauCovered_ & column.area;
            ground += column.ground;
            state.paint.ColumnDirty[c] = false;
        }
    }
    if (state.flags.DetailsShown || state.flags.ShowMoves) {
        if (straight)
            ShowInfoPanel(state, window);
        else
            QPainter(&tableBuffer_).drawImage(l.panel.InfoPanelLeft, l.panel.InfoPanelTop, infoPanel_);
        drawn += InfoPanelArea(l);
        tableauCovered_ += InfoPanelArea(l);
    }
    return Finish(straight, window, tableBuffer_, drawn & whole, ground & whole, wiped, colour);
}

QRegion TablePainter::FormPaint(GameState &state, PaintSender sender, QImage &window, CardPainter &cards,
                                const QImage &sidePicture)
{
    const TableLayout &l = state.Layout;
    QRegion changed;
    if (state.paint.FullRepaint)
        changed += ToQRect(l.window.OuterFrame);
    if (sender != PaintSender::BitBtn1)
        state.paint.PictureShown = false;
    if (shownWithFaces_ != cards.Library().Usable() || shownColour_ != l.window.TableColour) {
        ForgetAll(l);
        // Even the bare table may look different.
        topCovered_ = Whole(l.buffers.TopBufferSize);
        tableauCovered_ = Whole(l.buffers.TableBufferSize);
        shownWithFaces_ = cards.Library().Usable();
        shownColour_ = l.window.TableColour;
    }
    if (!topBuffer_.isNull() && !state.paint.PaintSuspended)
        changed += PaintTopStrip(state, window, cards);
    if (!tableBuffer_.isNull() && !state.paint.PaintSuspended)
        changed += PaintTableau(state, window, cards);
    DrawOuterFrame(l, window);
    state.paint.FullRepaint = false;

    changed += ShowSidePicture(state, window, sidePicture);
    // Unless painting is suspended, the buffers' copies wiped what was drawn over.
    changed += drawnOver_;
    if (!state.paint.PaintSuspended)
        drawnOver_ = QRegion();
    return changed;
}

bool TablePainter::PaintStraight(GameState &state, QImage &window, CardPainter &cards, const QImage &sidePicture)
{
    // The columns and the panel need the buffers; an empty table without
    // the panel, as at the start, has neither.
    if (state.table.CardsLeft != 0 || state.flags.DetailsShown || state.flags.ShowMoves)
        return false;
    const TableLayout &l = state.Layout;
    window.fill(ToColor(l.window.TableColour));
    // In the order of a full repaint: the rows' frames, then the slots from
    // the first, each of which may lay its line over the one before.
    const SlotLooksArray looks = SlotLooks(state);
    for (const int left : {l.grid.TableMargin, l.grid.FoundationLeft})
        DrawRowFrame(l, window, left, looks);
    for (const SlotRecord &look : looks)
        DrawSlot(l, look, window, window, cards);
    DrawOuterFrame(l, window);
    ShowSidePicture(state, window, sidePicture);
    return true;
}

void TablePainter::Restore(const GameState &state, QImage &window, const QRegion &area) const
{
    const BufferPlan &b = state.Layout.buffers;
    // Where a buffer lags behind, the window was not drawn over.
    CopyRegion(window, topBuffer_, (area & ToQRect(b.TopCopyRect)) - behind_);
    CopyRegion(window, tableBuffer_, (area & ToQRect(b.TableCopyRect)) - behind_);
    if (state.flags.DetailsShown || state.flags.ShowMoves)
        ShowInfoPanel(state, window, area);
}

QRegion TablePainter::BufferedArea(const TableLayout &layout)
{
    return QRegion(ToQRect(layout.buffers.TopCopyRect)) + QRegion(ToQRect(layout.buffers.TableCopyRect));
}

} // namespace quintara
