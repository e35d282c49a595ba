#include "table/painter.h"

#include <QPainter>

#include "core/gamestate.h"
#include "table/carddrawing.h"
#include "table/drawingtools.h"

namespace quintara {

namespace {

const QColor FrameTopLeft(200, 180, 150);
const QColor FrameRight(210, 218, 200);
const QColor FrameBottom(0, 218, 0);
const QColor EmptySlotLine(170, 160, 134);

// A line drawn from (x1, y1) towards (x2, y2), leaving out the end point.
void Line(QPainter &p, const QColor &colour, int x1, int y1, int x2, int y2)
{
    p.setPen(QPen(colour, 1));
    if (x1 == x2)
        p.drawLine(x1, y1, x2, y2 > y1 ? y2 - 1 : y2 + 1);
    else
        p.drawLine(x1, y1, x2 > x1 ? x2 - 1 : x2 + 1, y2);
}

void DrawOuterFrame(const TableLayout &l, QImage &window)
{
    QPainter p(&window);
    p.setPen(QPen(FrameBottom, 2));
    p.setBrush(Qt::NoBrush);
    const PixelRect &r = l.OuterFrame;
    p.drawRect(QRectF(r.left + 0.5, r.top + 0.5, r.width() - 2, r.height() - 2));
}

} // namespace

void CopyRect(QImage &window, const QImage &buffer, const PixelRect &rect)
{
    QPainter p(&window);
    const QRect r(rect.left, rect.top, rect.width(), rect.height());
    p.drawImage(r, buffer, r);
}

void TablePainter::CreateBuffers(const TableLayout &l)
{
    const QColor table = ToColor(l.TableColour);
    topBuffer_ = QImage(l.TopBufferSize.width, l.TopBufferSize.height, QImage::Format_RGB32);
    topBuffer_.fill(table);
    tableBuffer_ = QImage(l.TableBufferSize.width, l.TableBufferSize.height, QImage::Format_RGB32);
    tableBuffer_.fill(table);
    flightBuffer_ = QImage(l.CardBufferSize.width, l.CardBufferSize.height, QImage::Format_RGB32);
    flightBuffer_.fill(table);
}

void TablePainter::CreateInfoPanel(const TableLayout &l)
{
    infoPanel_ = QImage(qMax(1, l.InfoPanelSize.width), qMax(1, l.InfoPanelSize.height), QImage::Format_RGB32);
    infoPanel_.fill(ToColor(l.TableColour));
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
    CopyRect(window, topBuffer_, l.TopCopyRect);
    if (state.paint.FullRepaint)
        DrawOuterFrame(l, window);
}

void TablePainter::PaintTableau(GameState &state, QImage &window, CardPainter &cards)
{
    const TableLayout &l = state.Layout;
    if (state.paint.FullRepaint)
        tableBuffer_.fill(ToColor(l.TableColour));
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
    if (state.flags.DetailsShown || state.flags.ShowMoves)
        QPainter(&tableBuffer_).drawImage(l.InfoPanelLeft, l.InfoPanelTop, infoPanel_);
    CopyRect(window, tableBuffer_, l.TableCopyRect);
}

void TablePainter::FormPaint(GameState &state, PaintSender sender, QImage &window, CardPainter &cards,
                             const QImage &sidePicture)
{
    if (sender != PaintSender::BitBtn1)
        state.paint.PictureShown = false;
    if (!topBuffer_.isNull() && !state.paint.PaintSuspended)
        PaintTopStrip(state, window, cards);
    if (!tableBuffer_.isNull() && !state.paint.PaintSuspended)
        PaintTableau(state, window, cards);
    DrawOuterFrame(state.Layout, window);
    state.paint.FullRepaint = false;

    if (state.Settings.ShowPicture && state.Settings.PictureFileOk && !state.paint.PictureShown &&
        !sidePicture.isNull()) {
        const PixelRect &r = state.Layout.SideArea;
        QPainter(&window).drawImage(QRect(r.left, r.top, r.width(), r.height()), sidePicture);
        state.paint.PictureShown = true;
    }
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
