#pragma once
// How a dialog puts a question or a notice to the player. The dialogs use
// real message boxes; tests put scripted answers in their place, so nothing
// blocks on a modal box.

#include <functional>

#include <QString>

#include "core/shell.h"

class QWidget;

namespace quintara {

struct Prompts {
    // A Yes/No question without an icon; true only for Yes.
    std::function<bool(const QString &text, const QString &caption)> AskYesNo;
    std::function<void(const QString &text, const QString &caption, NoticeIcon icon)> ShowNotice;
};

// Modal message boxes owned by `owner`.
Prompts MessageBoxPrompts(QWidget *owner);

// One modal notice with an OK button, owned by `owner`.
void ShowNoticeBox(QWidget *owner, const QString &text, const QString &caption, NoticeIcon icon);

} // namespace quintara
