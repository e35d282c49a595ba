#include "dialogs/prompts.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

// A title bar centres its caption between the window's icon and its three
// buttons, so it takes the buttons' room on both sides.
constexpr int TitleBarRoom = 200;

} // namespace

int ExecWithWholeCaption(QMessageBox &box)
{
    // A box sizes itself to its text; a caption longer than that would be
    // cut by the title bar, whether the window manager draws it or, on
    // Wayland, Qt's own frame.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleBarRoom;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box.exec();
}

void ShowNoticeBox(QWidget *owner, const QString &text, const QString &caption, NoticeIcon icon)
{
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, owner);
    ExecWithWholeCaption(box);
}

Prompts MessageBoxPrompts(QWidget *owner)
{
    return {
        [owner](const QString &text, const QString &caption) {
            QMessageBox box(QMessageBox::NoIcon, caption, text,
                            QMessageBox::Yes | QMessageBox::No, owner);
            return ExecWithWholeCaption(box) == QMessageBox::Yes;
        },
        [owner](const QString &text, const QString &caption, NoticeIcon icon) {
            ShowNoticeBox(owner, text, caption, icon);
        },
    };
}

} // namespace quintara
