#include "dialogs/prompts.h"

#include <QMessageBox>

namespace quintara {

namespace {

QMessageBox::Icon BoxIcon(NoticeIcon icon)
{
    switch (icon) {
    case NoticeIcon::Information:
        return QMessageBox::Information;
    case NoticeIcon::Stop:
        return QMessageBox::Critical;
    case NoticeIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void ShowNoticeBox(QWidget *owner, const QString &text, const QString &caption, NoticeIcon icon)
{
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, owner);
    box.exec();
}

Prompts MessageBoxPrompts(QWidget *owner)
{
    return {
        [owner](const QString &text, const QString &caption) {
            QMessageBox box(QMessageBox::NoIcon, caption, text,
                            QMessageBox::Yes | QMessageBox::No, owner);
            return box.exec() == QMessageBox::Yes;
        },
        [owner](const QString &text, const QString &caption, NoticeIcon icon) {
            ShowNoticeBox(owner, text, caption, icon);
        },
    };
}

} // namespace quintara
