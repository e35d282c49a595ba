#pragma once
// The four panels of the status bar: counts and selection, start and level,
// the clock and the moves, and a small end panel.

#include <array>

#include <QString>
#include <QStringList>

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
    // Tells a screen reader what the game has just written: the status bar
    // takes the text as its accessible name and says so. The texts one
    // action writes (a move, the automatic moves after it, the count) are
    // heard as one sentence, once control is back in the event loop.
    void announce(const QString &text);

private:
    void sayHeard();

    QStatusBar *bar_;
    std::array<QLabel *, 4> panels_{};
    // What the game wrote since control was last in the event loop.
    QStringList heard_;
};

} // namespace quintara
