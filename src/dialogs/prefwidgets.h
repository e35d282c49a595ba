#pragma once
// The up-down arrows beside the preferences' number field.

#include <functional>

#include <QWidget>

class QLineEdit;

namespace quintara {

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
