#include "support/modal.h"

#include <QApplication>
#include <QPushButton>

namespace quintara::test {

ModalAnswerer::ModalAnswerer()
{
    timer.setInterval(5);
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start();
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        seen.push_back({box->windowTitle(), box->text(), box->icon()});
        if (onBox)
            onBox(box);
        if (box->button(QMessageBox::Yes)) {
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
