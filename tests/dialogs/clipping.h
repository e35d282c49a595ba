#pragma once
// Finds the texts a dialog cuts off: a caption wider than its control, or a
// captioned control that runs over the edge of what holds it.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

namespace quintara::test {

inline QStringList ClippedControls(const QWidget *root)
{
    QStringList clipped;
    for (const QWidget *control : root->findChildren<QWidget *>()) {
        const QString name = control->objectName().isEmpty() ? QString::fromLatin1(control->metaObject()->className())
                                                             : control->objectName();
        // Trailing blanks may run over the edge; the words may not.
        bool cut = false;
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            const QString text = label->text().trimmed();
            if (label->wordWrap() || text.isEmpty() || label->textFormat() == Qt::RichText)
                continue;
            cut = label->fontMetrics().horizontalAdvance(text) > label->contentsRect().width();
        } else if (qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control)) {
            cut = control->sizeHint().width() > control->width();
        } else if (const auto *button = qobject_cast<const QPushButton *>(control)) {
            if (button->text().isEmpty())
                continue;
            const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            const QString text = QString(button->text()).remove(QLatin1Char('&'));
            cut = button->fontMetrics().horizontalAdvance(text) + icon + 6 > button->width();
        } else {
            continue;
        }
        if (cut)
            clipped << name + QStringLiteral(" cuts its text");
        const QWidget *holder = control->parentWidget();
        if (holder && !holder->rect().contains(control->geometry()))
            clipped << name + QStringLiteral(" runs over its holder");
    }
    return clipped;
}

} // namespace quintara::test
