#pragma once
// The table picture: the free cells and piles in TopBuffer, the tableau in
// TableBuffer, the panel under the tableau in InfoPanel. Only what the flags
// mark as changed is redrawn; the rest is copied from the buffers.

#include <QImage>
#include <QRegion>

#include "core/shell.h"
#include "table/layout.h"

namespace quintara {

struct GameState;
class CardPainter;

class TablePainter {
public:
    // The buffers sized by the layout, with `scale` screen pixels to each of
    // the table's; the panel comes when the window is first shown.
    void CreateBuffers(const TableLayout &layout, qreal scale);
    void CreateInfoPanel(const TableLayout &layout, qreal scale);
    // Lets go of every buffer; painting then leaves the buffers alone.
    void ReleaseBuffers();

    // `drawnOnWindow` is what was drawn straight on the window since the
    // last paint: the buffers' copies put it right. Returns the part of the
    // window whose pixels it may have changed.
    QRegion FormPaint(GameState &state, PaintSender sender, QImage &window, CardPainter &cards,
                      const QImage &sidePicture, const QRegion &drawnOnWindow);
    void ResetInfoPanel(GameState &state, QImage &window);
    void ClearDetailsPanel(GameState &state, QImage &window, bool copyToWindow);
    // Copies the panel to its place on the window.
    void ShowInfoPanel(const GameState &state, QImage &window) const;

    QImage &InfoPanel() { return infoPanel_; }
    QImage &FlightBuffer() { return flightBuffer_; }
    // The tableau's buffer, for the highlight drawn the moment a card is picked up.
    QImage &TableCanvas() { return tableBuffer_; }
    const QImage &TopBuffer() const { return topBuffer_; }
    const QImage &TableBuffer() const { return tableBuffer_; }

private:
    void PaintTopStrip(GameState &state, QImage &window, CardPainter &cards);
    QRegion PaintTableau(GameState &state, QImage &window, CardPainter &cards, const QRegion &drawnOnWindow);
    void DrawRowFrame(const TableLayout &layout, int left, int top);

    QImage topBuffer_;
    QImage tableBuffer_;
    QImage flightBuffer_;
    QImage infoPanel_;
};

// Where the panel under the tableau shows on the window.
QRect InfoPanelArea(const TableLayout &layout);

// Copies the region of a buffer that shares the window's coordinates.
void CopyRegion(QImage &window, const QImage &buffer, const QRegion &region);

} // namespace quintara
