#pragma once
// The plain shapes every layer shares, and the computed layout of the table:
// where everything lies, in client pixels from the top left. The layout is
// computed from the screen by table/layout.h; the positions of the free
// cells, piles and column slots are read from it here and nowhere else.

#include <cstdint>

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

struct TableLayout {
    // From the screen width: 0 below 800 (the program refuses to run), 1 up to 1023, 2 beyond.
    int ScreenClass = 0;
    Rgb TableColour = GreenTable;
    int DetailsDepthLimit = 0;
    int InfoPanelTop = 0;
    int DetailsLineLimit = 0;

    int CardWidth = 72;
    int CardHeight = 96;
    int TableMargin = 8;
    int ButtonGap = 17;
    int PileRowWidth = 0;
    int TopStripHeight = 0;
    int PlayAreaHeight = 0;
    int PlayAreaWidth = 0;
    int ClientWidth = 0;          // after widening the window to fit the play area
    int ClientHeight = 0;
    int BitBtnLeft = 0;
    int BitBtnTop = 0;
    int FoundationLeft = 0;
    int ColumnGap = 12;
    int RowStep = DealtRowStep;

    int InfoPanelLeft = 6;
    Size InfoPanelSize;
    int UndoBtnLeft = 0;
    int UndoBtnTop = 24;
    int ShowBtnLeft = 0;
    int ShowBtnTop = 62;

    PixelRect CellFrame;
    PixelRect FoundationFrame;
    PixelRect TopCopyRect;        // part of TopBuffer copied to the window
    PixelRect TableCopyRect;      // part of TableBuffer copied to the window
    PixelRect OuterFrame;
    PixelRect SideArea;

    Size TopBufferSize;
    Size TableBufferSize;
    Size CardBufferSize;          // RedMask and FlightBuffer
};

// Left edge of column c and top edge of row r, for the spacing of the last deal.
int ColumnLeft(const TableLayout &layout, int column);
int RowTop(const TableLayout &layout, int row);
// Where free cell i and foundation pile p lie: their left edge, and the top
// edge of the row they share.
int CellLeft(const TableLayout &layout, int cell);
int PileLeft(const TableLayout &layout, int pile);
int CellRowTop(const TableLayout &layout);

// The rectangle a card covers with its top left corner at (x, y).
PixelRect CardRect(const TableLayout &layout, int x, int y);

} // namespace quintara
