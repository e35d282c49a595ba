#pragma once
// The marks of a hint on the table: a frame around the cards to move and one
// around their destination, over the table's picture, for a moment. They are
// drawn over the table, never into it, so the game's own picture of the
// table stays as the painter left it.

#include <QTimer>
#include <QWidget>

#include "table/layout.h"

namespace quintara {

class HintMarks : public QWidget {
    Q_OBJECT
public:
    // Covers `table`, lets the mouse through to it.
    explicit HintMarks(QWidget *table);

    // For a moment; `lasting` marks stay until the player does something.
    void Show(const PixelRect &cards, const PixelRect &destination, bool lasting = false);
    void Clear();
    bool Shown() const { return isVisible(); }
    PixelRect Cards() const { return cards; }
    PixelRect Destination() const { return destination; }

    static constexpr int ShowMs = 2500;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PixelRect cards;
    PixelRect destination;
    QTimer timer;
};

} // namespace quintara
