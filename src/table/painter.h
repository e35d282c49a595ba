#pragma once
// The table picture: the free cells and piles in TopBuffer, the tableau in
// TableBuffer, the panel under the tableau in InfoPanel. Of what the flags
// mark as changed, only what looks different from the last drawing is drawn
// again; the rest is copied from the buffers. At a whole-number scale the
// tableau, and in a full repaint the top strip too, is drawn straight on
// the window, the buffers catching up later.

#include <array>
#include <optional>

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

    // Returns the part of the window whose pixels it may have changed, what
    // was drawn over since the last paint included.
    QRegion FormPaint(GameState &state, PaintSender sender, QImage &window, CardPainter &cards,
                      const QImage &sidePicture);

    // The whole picture of an empty table straight on `window`, with no
    // buffer: the first picture, made before the buffers, which on a fine
    // screen cost as much again. The same pixels a full repaint gives;
    // false, with nothing drawn, when the table needs the buffers.
    bool PaintStraight(GameState &state, QImage &window, CardPainter &cards, const QImage &sidePicture);

    // The one way to tell the painter that something is about to be drawn
    // outside it, over `area` of `window`, and with TableauAndWindow on the
    // tableau's buffer as well. Said before drawing: the buffers first take
    // what the window shows there. The next paint copies the area back from
    // them and draws afresh the columns under it.
    enum class Surface { Window, TableauAndWindow };
    void DrawOver(const TableLayout &layout, const QImage &window, const QRegion &area,
                  Surface surface = Surface::Window);
    void ResetInfoPanel(GameState &state, QImage &window);
    // Empties the panel of the move's details, while they are shown.
    void ClearDetailsPanel(GameState &state);
    // Copies the panel, or the part of it in `area` (in the window's
    // coordinates), to its place on the window.
    void ShowInfoPanel(const GameState &state, QImage &window) const;
    void ShowInfoPanel(const GameState &state, QImage &window, const QRegion &area) const;
    // Puts `area` of the window back as the buffers and the panel hold it,
    // drawing nothing afresh: the cheap way to wipe a small picture drawn
    // over the table, such as a dragged card.
    void Restore(const GameState &state, QImage &window, const QRegion &area) const;
    // The part of the window the buffers cover, and so what Restore puts right.
    static QRegion BufferedArea(const TableLayout &layout);

    QImage &InfoPanel() { return infoPanel_; }
    QImage &FlightBuffer() { return flightBuffer_; }
    // The tableau's buffer, for the highlight drawn the moment a card is
    // picked up; say DrawOver with TableauAndWindow before drawing on it.
    QImage &TableauBuffer() { return tableBuffer_; }
    // Where the table was drawn straight on the window, these lag behind it
    // until something is drawn over that part of the window.
    const QImage &TopBuffer() const { return topBuffer_; }
    const QImage &TableBuffer() const { return tableBuffer_; }

private:
    QRegion PaintTopStrip(GameState &state, QImage &window, CardPainter &cards);
    QRegion PaintTableau(GameState &state, QImage &window, CardPainter &cards);
    // An area of the tableau drawn anew, and the part of it laid bare where
    // the window may show anything else.
    struct Redrawn {
        QRect area;
        QRegion ground;
    };
    Redrawn PaintColumn(const GameState &state, int c, QImage &window, CardPainter &cards);
    // Ends the paint of a buffer's part of the window, `wiped` being what
    // was drawn over it and put back: drawn straight, the window shows the
    // rest and the buffer lags behind there; drawn on the buffer, the window
    // is brought up to it. Returns the part of the window changed.
    QRegion Finish(bool straight, QImage &window, const QImage &buffer, const QRegion &drawn, const QRegion &ground,
                   const QRegion &wiped, const QColor &colour);
    // Brings the buffers up to the window over `area`.
    void CatchUp(const TableLayout &layout, const QImage &window, const QRegion &area);
    // The one way what the buffers show is forgotten: the slots (on the top
    // buffer) or the columns (on the tableau's) that `area` touches were
    // drawn over, and the next paint that looks at them draws them whole.
    enum class OnBuffer { Top, Tableau };
    void Forget(const TableLayout &layout, OnBuffer buffer, const QRegion &area);
    void ForgetAll(const TableLayout &layout);

    QImage topBuffer_;
    QImage tableBuffer_;
    QImage flightBuffer_;
    QImage infoPanel_;

    // What the buffers show, as last drawn: the free cells then the piles,
    // and the columns; set where they are drawn, cleared only by Forget.
    std::array<std::optional<SlotRecord>, CellCount + PileCount> shownSlots_;
    std::array<std::optional<TableColumn>, ColumnCount> shownColumns_;
    // What was drawn straight on the window since the last paint: the
    // buffers' copies put it right.
    QRegion drawnOver_;
    // Where each buffer may show more than the bare table (where the
    // tableau's lags behind, the window). Outside what was drawn over, the
    // window shows what the buffers do, so there it may too.
    QRegion topCovered_;
    QRegion tableauCovered_;
    // Where the window shows the table as drawn straight on it, and the
    // buffers have not taken it yet. Never where it was drawn over.
    QRegion behind_;
    // The faces and the table's colour the looks were drawn with.
    bool shownWithFaces_ = false;
    Rgb shownColour_;
};

// Where the panel under the tableau shows on the window.
QRect InfoPanelArea(const TableLayout &layout);

} // namespace quintara
