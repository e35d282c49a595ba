#include "dialogs/prefwidgets.h"

#include <algorithm>

#include <QLineEdit>
#include <QToolButton>

namespace quintara {

UpDown::UpDown(QLineEdit *buddy, int low, int high, QWidget *parent)
    : QWidget(parent), Buddy(buddy), Low(low), High(high), Position(high)
{
    const QRect field = buddy->geometry();
    setGeometry(field.right() + 1, field.top(), 16, field.height());
    const int half = field.height() / 2;
    // An arrow is a picture: a screen reader needs its name in words.
    const auto arrow = [this](Qt::ArrowType type, const QString &name, int by, int top, int height) {
        auto *button = new QToolButton(this);
        button->setArrowType(type);
        button->setAccessibleName(name);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setGeometry(0, top, width(), height);
        connect(button, &QToolButton::clicked, this, [this, by] { Step(by); });
    };
    arrow(Qt::UpArrow, QStringLiteral("Aumenta"), 1, 0, half);
    arrow(Qt::DownArrow, QStringLiteral("Diminuisci"), -1, half, field.height() - half);
}

void UpDown::Step(int by)
{
    // The arrows go on from what the field shows; from text that is not a
    // number, from where they last stood.
    bool ok = false;
    const int shown = Buddy->text().trimmed().toInt(&ok, 10);
    if (ok)
        Position = std::clamp(shown, Low, High);
    Position = std::clamp(Position + by, Low, High);
    Buddy->setText(QString::number(Position));
    if (OnClick)
        OnClick();
}

} // namespace quintara
