#include "support/modal.h"

#include <algorithm>

#include <QApplication>
#include <QAbstractButton>
#include <QPushButton>

namespace quintara::test {

ModalAnswerer::ModalAnswerer()
{
    poll();
}

void ModalAnswerer::poll()
{
    // Each look arms the next one first: a box that opens while a dialog is
    // being answered (its refusal of what was typed) is answered in turn,
    // where a repeating timer would not fire again until this call returned.
    QTimer::singleShot(5, this, &ModalAnswerer::poll);
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        seen.push_back({box->windowTitle(), box->text(), box->icon()});
        if (onBox)
            onBox(box);
        const QList<QAbstractButton *> buttons = box->buttons();
        const auto chosen = std::find_if(buttons.begin(), buttons.end(), [this](QAbstractButton *b) {
            return b->property("choice") == (choices.empty() ? 0 : choices.front());
        });
        if (chosen != buttons.end()) {
            if (!choices.empty())
                choices.pop_front();
            (*chosen)->click();
        } else if (box->button(QMessageBox::Yes)) {
            QMessageBox::StandardButton answer = QMessageBox::Yes;
            if (!answers.empty()) {
                answer = answers.front();
                answers.pop_front();
            }
            box->button(answer)->click();
        } else {
            box->button(QMessageBox::Ok)->click();
        }
        return;
    }
    if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        if (onDialog)
            onDialog(dialog);
        ++dialogsClosed;
        dialog->accept();
    }
}

} // namespace quintara::test
