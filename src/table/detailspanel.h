#pragma once
// The move-details panel under the tableau: draws the narration of the held
// card's column count into the information panel and shows it on the window
// as the count goes, so the walk can be watched line by line.

#include <functional>

#include <QImage>

#include "core/gamestate.h"
#include "moves/narration.h"

namespace quintara {

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
