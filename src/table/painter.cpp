#include "table/painter.h"

#include <QPainter>
#include <QtMath>

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
    const PixelRect &r = l.OuterFrame;
    p.fillRect(r.left, r.top, r.width(), 2, FrameBottom);
    p.fillRect(r.left, r.top, 2, r.height() - 1, FrameBottom);
    p.fillRect(r.right - 2, r.top, 2, r.height() - 1, FrameBottom);
    p.fillRect(r.left + 1, r.bottom - 2, r.width() - 2, 2, FrameBottom);
}

QImage Buffer(Size size, qreal scale, const QColor &fill)
{
    QImage image(qMax(1, qCeil(size.width * scale)), qMax(1, qCeil(size.height * scale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

} // namespace

QRect InfoPanelArea(const TableLayout &layout)
{
    return {layout.InfoPanelLeft, layout.InfoPanelTop, layout.InfoPanelSize.width, layout.InfoPanelSize.height};
}

void CopyRegion(QImage &window, const QImage &buffer, const QRegion &region)
{
    // Both share the window's origin and scale: each rectangle moves the
    // screen's pixels one to one, at any scale.
    QPainter p(&window);
    const qreal scale = buffer.devicePixelRatio();
    for (const QRect &r : region)
        p.drawImage(QRectF(r), buffer, QRectF(QPointF(r.topLeft()) * scale, QSizeF(r.size()) * scale));
}

void TablePainter::CreateBuffers(const TableLayout &l, qreal scale)
{
    const QColor table = ToColor(l.TableColour);
    topBuffer_ = Buffer(l.TopBufferSize, scale, table);
    tableBuffer_ = Buffer(l.TableBufferSize, scale, table);
    flightBuffer_ = Buffer(l.CardBufferSize, scale, table);
}

void TablePainter::CreateInfoPanel(const TableLayout &l, qreal scale)
{
    infoPanel_ = Buffer(l.InfoPanelSize, scale, ToColor(l.TableColour));
}

void TablePainter::ReleaseBuffers()
{
    topBuffer_ = QImage();
    tableBuffer_ = QImage();
    flightBuffer_ = QImage();
    infoPanel_ = QImage();
}

void TablePainter::DrawRowFrame(const TableLayout &l, int left, int top)
{
    QPainter p(&topBuffer_);
    p.fillRect(left, top, l.PileRowWidth, l.CardHeight, ToColor(l.TableColour));
    Line(p, FrameTopLeft, left, top, left + l.PileRowWidth - 2, top);
    Line(p, FrameTopLeft, left, top, left, top + l.CardHeight + 1);
    const int right = left + 4 * l.CardWidth + 1;
    Line(p, FrameRight, right, top, right, top + l.CardHeight + 1);
    Line(p, FrameBottom, left, top + l.CardHeight + 1, left + l.PileRowWidth - 2, top + l.CardHeight + 1);
}

void TablePainter::PaintTopStrip(GameState &state, QImage &window, CardPainter &cards)
{
    const TableLayout &l = state.Layout;
    if (state.paint.FullRepaint) {
        topBuffer_.fill(ToColor(l.TableColour));
        state.paint.CellRowFrameDirty = true;
        state.paint.FoundationFrameDirty = true;
    }
    if (state.paint.CellRowFrameDirty) {
        DrawRowFrame(l, l.TableMargin, l.TableMargin);
        state.paint.CellRowFrameDirty = false;
    }
    if (state.paint.FoundationFrameDirty) {
        DrawRowFrame(l, l.FoundationLeft, l.TableMargin);
        state.paint.FoundationFrameDirty = false;
    }

    auto emptyLine = [&](const SlotRecord &slot) {
        QPainter p(&topBuffer_);
        Line(p, EmptySlotLine, slot.X - 1, slot.Y, slot.X - 1, slot.Y + l.CardHeight);
    };
    for (const SlotRecord &cell : state.table.Cells) {
        if (cell.Occupied) {
            cards.DrawCard(topBuffer_, window, cell.X, cell.Y, cell.Card, cell.DrawMode, l.TableColour);
        } else {
            cards.DrawCard(topBuffer_, window, cell.X, cell.Y, cell.Card, DrawBlank, l.TableColour);
            emptyLine(cell);
        }
    }
    for (int p = 0; p < PileCount; ++p) {
        const SlotRecord &pile = state.table.Foundations[p];
        if (pile.Occupied) {
            cards.DrawCard(topBuffer_, window, pile.X, pile.Y, pile.Card, pile.DrawMode, l.TableColour);
        } else {
            cards.DrawCard(topBuffer_, window, pile.X, pile.Y, state.deal.EmptyPileImage[p], DrawPicture, l.TableColour);
            emptyLine(pile);
        }
    }
    CopyRegion(window, topBuffer_, ToQRect(l.TopCopyRect));
    if (state.paint.FullRepaint)
        DrawOuterFrame(l, window);
}

QRegion TablePainter::PaintTableau(GameState &state, QImage &window, CardPainter &cards,
                                   const QRegion &drawnOnWindow)
{
    const TableLayout &l = state.Layout;
    // The window needs only what is drawn anew here: the rest of it already
    // shows the buffer, but for what was drawn over it since.
    QRegion drawn;
    if (state.paint.FullRepaint) {
        tableBuffer_.fill(ToColor(l.TableColour));
        drawn = ToQRect(l.TableCopyRect);
    }
    // With no card left the columns keep their marks for the next deal.
    if (state.table.CardsLeft != 0) {
        ClearDetailsPanel(state, window, false);
        for (int c = 0; c < ColumnCount; ++c) {
            if (!state.paint.ColumnDirty[c])
                continue;
            const TableColumn &column = state.table.Columns[c];
            int n = 0;
            for (auto occupied : column.Occupied)
                n += occupied == 1 ? 1 : 0;
            const PixelRect strip = ColumnStrip(l, column.X[0]);
            drawn += ToQRect(strip);
            QPainter(&tableBuffer_).fillRect(strip.left, strip.top, strip.width(), strip.height(),
                                             ToColor(l.TableColour));
            for (int r = 0; r < n; ++r) {
                if (column.Occupied[r] == 1)
                    cards.DrawCard(tableBuffer_, window, column.X[r], column.Y[r], column.Card[r],
                                   column.DrawMode[r], l.TableColour);
            }
            state.paint.ColumnDirty[c] = false;
        }
    }
    if (state.flags.DetailsShown || state.flags.ShowMoves) {
        QPainter(&tableBuffer_).drawImage(l.InfoPanelLeft, l.InfoPanelTop, infoPanel_);
        drawn += InfoPanelArea(l);
    }
    // What the buffer holds anew, and what was drawn over it on the window.
    drawn = (drawn + drawnOnWindow) & ToQRect(l.TableCopyRect);
    CopyRegion(window, tableBuffer_, drawn);
    return drawn;
}

QRegion TablePainter::FormPaint(GameState &state, PaintSender sender, QImage &window, CardPainter &cards,
                                const QImage &sidePicture, const QRegion &drawnOnWindow)
{
    const TableLayout &l = state.Layout;
    QRegion changed;
    if (state.paint.FullRepaint)
        changed += ToQRect(l.OuterFrame);
    if (sender != PaintSender::BitBtn1)
        state.paint.PictureShown = false;
    // The free cells and piles are all drawn each time.
    if (!topBuffer_.isNull() && !state.paint.PaintSuspended) {
        PaintTopStrip(state, window, cards);
        changed += ToQRect(l.TopCopyRect);
    }
    if (!tableBuffer_.isNull() && !state.paint.PaintSuspended)
        changed += PaintTableau(state, window, cards, drawnOnWindow);
    DrawOuterFrame(l, window);
    state.paint.FullRepaint = false;

    if (state.Settings.ShowPicture && state.Settings.PictureFileOk && !state.paint.PictureShown &&
        !sidePicture.isNull()) {
        QPainter(&window).drawImage(ToQRect(l.SideArea), sidePicture);
        state.paint.PictureShown = true;
        changed += ToQRect(l.SideArea);
    }
    return changed;
}

void TablePainter::ShowInfoPanel(const GameState &state, QImage &window) const
{
    if (!infoPanel_.isNull())
        QPainter(&window).drawImage(state.Layout.InfoPanelLeft, state.Layout.InfoPanelTop, infoPanel_);
}

void TablePainter::ResetInfoPanel(GameState &state, QImage &window)
{
    if (!infoPanel_.isNull() && !tableBuffer_.isNull()) {
        infoPanel_.fill(ToColor(state.Layout.TableColour));
        QPainter(&tableBuffer_).drawImage(state.Layout.InfoPanelLeft, state.Layout.InfoPanelTop, infoPanel_);
        ShowInfoPanel(state, window);
    }
    state.panels.PanelNeedsRedraw = true;
}

void TablePainter::ClearDetailsPanel(GameState &state, QImage &window, bool copyToWindow)
{
    if (!state.flags.DetailsShown)
        return;
    if (!infoPanel_.isNull()) {
        infoPanel_.fill(ToColor(state.Layout.TableColour));
        if (copyToWindow)
            ShowInfoPanel(state, window);
    }
    state.panels.DetailsHeaderDue = false;
}

} // namespace quintara
