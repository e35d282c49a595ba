#pragma once
// The four panels of the status bar: counts and selection, start and level,
// the clock and the moves, and a small end panel.

#include <array>

#include <QString>

class QDateTime;
class QLabel;
class QStatusBar;

namespace quintara {

struct GameState;

// What the table shows, in one sentence for a screen reader: the cards
// left, the level reached, the time played and the card in the hand.
QString TableSummary(const GameState &state, const QDateTime &now);

class StatusPanels {
public:
    explicit StatusPanels(QStatusBar *bar);
    void setText(int panel, const QString &text);
    QString text(int panel) const;

private:
    std::array<QLabel *, 4> panels_{};
};

} // namespace quintara
