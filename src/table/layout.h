#pragma once
// The table's layout (core/geometry.h) computed from the screen, the window
// and the settings: one pure computation whose result the window only
// applies; nothing else computes positions.

#include "core/geometry.h"

namespace quintara {

inline constexpr int DesignBitBtnWidth = 41;

struct LayoutInput {
    int screenWidth = 1024;       // horizontal resolution of the screen
    int clientWidth = 1024;       // client area of the maximised window
    int clientHeight = 768;
    int statusBarHeight = 19;
    int bitBtnWidth = DesignBitBtnWidth;
    bool origCardSize = true;     // NormalCardSize cards, else LargeCardSize
};

TableLayout ComputeLayout(const LayoutInput &input);

// The strip cleared before a column is redrawn.
PixelRect ColumnStrip(const TableLayout &layout, int columnX);

} // namespace quintara
