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

// A word longer than this (a path, mostly) could not be wrapped and would
// widen the box past the screen.
constexpr int LongestWord = 60;

// The text with room to break its long words: after each folder of a path,
// and anywhere past the longest word. The break is invisible.
QString Breakable(const QString &text)
{
    constexpr QChar Break(0x200B);
    QString out;
    out.reserve(text.size());
    int run = 0;
    for (const QChar c : text) {
        if (run >= LongestWord) {
            out += Break;
            run = 0;
        }
        out += c;
        run = c.isSpace() || c == Break ? 0 : run + 1;
        if (c == u'/' && run > 1) {
            out += Break;
            run = 0;
        }
    }
    return out;
}

bool HasLongWord(const QString &text)
{
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > LongestWord)
            return true;
    }
    return false;
}

} // namespace

int ExecWithWholeCaption(QMessageBox &box)
{
    if (HasLongWord(box.text()))
        box.setText(Breakable(box.text()));
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
