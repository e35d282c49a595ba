#pragma once
// DrawCard: the one way a card face, a place mark or a blank card slot
// reaches a canvas. The main window holds one CardPainter for the run.

#include <array>
#include <cstdint>

#include <QImage>
#include <QString>

#include "core/table.h"
#include "table/cardimages.h"
#include "table/layout.h"

namespace quintara {

// The library's picture of a card's face.
inline constexpr int CardBitmapNumber(CardCode card) { return cardmodule::FaceNumber(Suit(card), Rank(card)); }
inline constexpr int LastFaceNumber = 52;
// The rows at a face's top where its rounded corners let what lies under
// the card show through, with room to spare.
inline constexpr int RoundedCornerRows = 6;

class CardPainter {
public:
    // `cardSize` is the layout's CardWidth x CardHeight; faces are stretched
    // to it unless `origCardSize` keeps them at their own size.
    CardPainter(Shell &shell, Size cardSize, bool origCardSize,
                QString libraryFile = QString::fromLatin1(CardLibraryFile));

    CardImageLibrary &Library() { return library; }
    const CardImageLibrary &Library() const { return library; }

    // Draws `value` (a CardCode, or a picture number in mode DrawPicture)
    // with its top left corner at (x, y) on `canvas`, in the canvas's units:
    // the pictures are those whose detail fits the canvas's device pixel
    // ratio, the large faces drawn at their own size. A highlighted card is
    // also shown at once on `window`, the picture of the window's client
    // area. `colour` fills a blank slot. Draws nothing while the library is
    // not loaded or has failed.
    void DrawCard(QImage &canvas, QImage &window, int x, int y, std::int32_t value,
                  std::int32_t mode, Rgb colour);
    // Draws only the top `rows` of a plain face, in the canvas's units: all
    // that shows of a card under another, which is most cards of a column.
    void DrawCardTop(QImage &canvas, int x, int y, CardCode card, int rows);
    // The part of what DrawCard, or DrawCardTop with `rows`, would draw on
    // `canvas` that covers every pixel under it whatever was there: nothing
    // need be laid under it first. Empty when that is not known.
    QRect OpaquePart(const QImage &canvas, int x, int y, std::int32_t value, std::int32_t mode, int rows);

private:
    QImage Picture(int number, qreal ratio);
    // A face rounded and outlined on a clear ground, kept for the pictures'
    // detail. Only the rows of its corners let the ground show through, and
    // only they are kept on a clear ground; the rows between are copied
    // rather than blended.
    struct FinishedFace {
        QImage top;           // the rows above opaqueFrom, on a clear ground
        QImage bottom;        // the rows from opaqueTo down
        QImage opaque;        // the whole face, its corners on black
        int opaqueFrom = 0;   // the first row of pixels with no clear pixel
        int opaqueTo = 0;     // one past the last such row
    };
    const FinishedFace &Finished(int number, const QImage &picture, const QRect &card);
    // Draws the face's top `rows`, in the canvas's units.
    void DrawFace(QImage &canvas, QImage &window, const QRect &card, CardCode value,
                  bool highlighted, int rows);
    void DrawPictureByNumber(QImage &canvas, int x, int y, int number);

    CardImageLibrary library;
    Size cardSize;
    bool origCardSize;
    // Merged over a highlighted black two to ten on the window: the dark
    // ground of its inverted face turns cyan. One colour: it covers the
    // card at any device pixel ratio.
    QImage redMask;
    std::array<FinishedFace, LastFaceNumber> finishedFaces;
    qreal finishedRatio = 0;
};

} // namespace quintara
