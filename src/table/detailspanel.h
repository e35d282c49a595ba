#pragma once
// The move-details panel under the tableau: draws the narration of the held
// card's column count into the information panel and shows it on the window
// as the count goes, so the walk can be watched line by line. The narration
// says what each text is; the panel places it and gives it its face and colour.

#include <functional>

#include <QImage>

#include "core/gamestate.h"
#include "moves/narration.h"

namespace quintara {

// Where the narration's texts go, from the panel's top left corner, and in
// which faces and colours. Texts are placed by the top left of their box.
namespace details_panel {
inline constexpr int HeadingY = 4;
inline constexpr int RightX = 366;           // the column of the count's own lines
inline constexpr int SourceY = 26;
inline constexpr int DestinationY = 46;
inline constexpr int DestinationColumnY = 66;
inline constexpr int ResultHeadingY = 88;
inline constexpr int VerdictY = 110;
inline constexpr int SearchTopY = 26;        // the first of the count's own lines
inline constexpr int LineStep = 16;

inline constexpr char CourierNew[] = "Courier New";
inline constexpr char TimesNewRoman[] = "Times New Roman";
inline constexpr Rgb Aqua{0, 255, 255};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Lime{0, 255, 0};
inline constexpr Rgb Yellow{255, 255, 0};
} // namespace details_panel

// How one text of the narration shows on the panel.
struct DetailsLook {
    int x = 0;
    int y = 0;
    const char *family = details_panel::CourierNew;
    Rgb colour = details_panel::White;
    bool underline = false;
};

// The look of a text of `role`; `line` counts the count's own lines from the top.
DetailsLook LookOf(DetailsRole role, int line, const TableLayout &layout);

class DetailsPanel {
public:
    // `panel` is the information panel's picture; `clearPanel` empties it as
    // the painter's ClearDetailsPanel does (without showing it), `showPanel`
    // copies it to its place on the window.
    DetailsPanel(GameState &state, QImage &panel, std::function<void()> clearPanel,
                 std::function<void()> showPanel);
    DetailsPanel(const DetailsPanel &) = delete;
    DetailsPanel &operator=(const DetailsPanel &) = delete;

    // What the pointer hands to the column count while the panel is shown.
    MoveNarrator *Narrator() { return &narrator_; }

private:
    void Execute(const DetailsDraw &draw);
    void DrawText(const DetailsDraw &draw);

    GameState &state_;
    QImage &panel_;
    std::function<void()> clearPanel_;
    std::function<void()> showPanel_;
    MoveNarrator narrator_;
};

} // namespace quintara
