#pragma once
// The plain shapes every layer shares, and the computed layout of the table:
// where everything lies, in client pixels from the top left. The layout is
// computed from the screen by table/layout.h; the positions of the free
// cells, piles and column slots are read from it here and nowhere else.

#include <cstdint>

#include "cards/moduleformat.h"

namespace quintara {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb &) const = default;
};

// A rectangle as left, top, right, bottom; right and bottom are outside it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    bool isEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect &) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size &) const = default;
};

inline constexpr Rgb GreenTable{0, 153, 0};

// Rows of a column are this far apart.
inline constexpr int DealtRowStep = 18;

// The two card sizes: the cards of the card module, and the large ones.
inline constexpr Size NormalCardSize{cardmodule::NormalWidth, cardmodule::NormalHeight};
inline constexpr Size LargeCardSize{cardmodule::LargeWidth, cardmodule::LargeHeight};

// How big a card is and the grid the cards lie on: the margin, the rows of a
// column, the strip of free cells and piles at the top.
struct CardGrid {
    int CardWidth = NormalCardSize.width;
    int CardHeight = NormalCardSize.height;
    int TableMargin = 8;
    int RowStep = DealtRowStep;
    int PileRowWidth = 0;
    int FoundationLeft = 0;
    int TopStripHeight = 0;
    PixelRect CellFrame;
    PixelRect FoundationFrame;
};

// The window: its class of screen, its colour, the client area, the play
// area and the side picture's area beside it.
struct WindowArea {
    // From the screen width: 0 below 800 (the program refuses to run), 1 up to 1023, 2 beyond.
    int ScreenClass = 0;
    Rgb TableColour = GreenTable;
    int ClientWidth = 0;          // after widening the window to fit the play area
    int ClientHeight = 0;
    int PlayAreaWidth = 0;
    int PlayAreaHeight = 0;
    PixelRect OuterFrame;
    PixelRect SideArea;
};

// The panel under the tableau, and how deep the columns may reach while the
// move details are shown in it.
struct PanelArea {
    int InfoPanelLeft = 6;
    int InfoPanelTop = 0;
    Size InfoPanelSize;
    int DetailsDepthLimit = 0;
    int DetailsLineLimit = 0;
};

// The buttons beside the table.
struct ButtonPlaces {
    int ButtonGap = 17;
    int BitBtnLeft = 0;
    int BitBtnTop = 0;
    int UndoBtnLeft = 0;
    int UndoBtnTop = 24;
    int ShowBtnLeft = 0;
    int ShowBtnTop = 62;
};

// The off-screen pictures and the parts of them copied to the window.
struct BufferPlan {
    Size TopBufferSize;
    Size TableBufferSize;
    Size CardBufferSize;          // RedMask and FlightBuffer
    PixelRect TopCopyRect;        // part of TopBuffer copied to the window
    PixelRect TableCopyRect;      // part of TableBuffer copied to the window
};

// Where everything lies, computed at once from the screen and the window by
// ComputeLayout (table/layout.h) and never edited afterwards.
struct TableLayout {
    CardGrid grid;
    WindowArea window;
    PanelArea panel;
    ButtonPlaces buttons;
    BufferPlan buffers;
};

// Left edge of column c with `columnGap` pixels between columns, and top
// edge of row r.
int ColumnLeft(const TableLayout &layout, int columnGap, int column);
int RowTop(const TableLayout &layout, int row);
// Where free cell i and foundation pile p lie: their left edge, and the top
// edge of the row they share.
int CellLeft(const TableLayout &layout, int cell);
int PileLeft(const TableLayout &layout, int pile);
int CellRowTop(const TableLayout &layout);

// The rectangle a card covers with its top left corner at (x, y).
PixelRect CardRect(const TableLayout &layout, int x, int y);

} // namespace quintara
