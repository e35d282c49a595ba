#pragma once
// Small pieces the preferences dialog is built from: captions placed by
// position, coloured fields, and the up-down arrows beside a number field.

#include <functional>

#include <QColor>
#include <QPalette>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace quintara {

inline const QColor White(255, 255, 255);
inline const QColor Lime(0, 255, 0);
inline const QColor Yellow(255, 255, 0);

// A label at `left`, `top` of `page`, as wide as its text.
QLabel *PlaceLabel(QWidget *page, const char *name, const QString &text, int left, int top);

// Fills the part of `widget` that `role` paints (Window for a label, Base
// for an edit field) with `colour`.
void SetBackground(QWidget *widget, QPalette::ColorRole role, const QColor &colour);

// Two arrows that step the number in `buddy` between `low` and `high`,
// without wrapping, as a spin box's arrows would; the field itself stays
// free text, so a wrong entry can be typed and refused.
class UpDown : public QWidget {
public:
    UpDown(QLineEdit *buddy, int low, int high, QWidget *parent);
    // Runs after every step, once the field shows the new number.
    std::function<void()> OnClick;
    void Step(int by);

private:
    QLineEdit *Buddy;
    int Low;
    int High;
    int Position;
};

} // namespace quintara
