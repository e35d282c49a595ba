#pragma once
// How a dialog puts a question or a notice to the player. The dialogs use
// real message boxes; tests put scripted answers in their place, so nothing
// blocks on a modal box.

#include <functional>

#include <QString>

#include "core/shell.h"

class QMessageBox;
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

// Runs `box` at least as wide as its caption needs to show whole, and with
// its text wrapped within the screen however long its words.
int ExecWithWholeCaption(QMessageBox &box);

// A message box takes its owner's activation away for a moment; coming back
// from one is not a new activation of the owner. Hold an Open while the box
// is up and pass the owner's activation events on.
class PromptActivation {
public:
    class Open {
    public:
        explicit Open(PromptActivation &activation) : activation(activation) { ++activation.open; }
        ~Open() { --activation.open; }
        Open(const Open &) = delete;
        Open &operator=(const Open &) = delete;

    private:
        PromptActivation &activation;
    };

    void Deactivated()
    {
        if (open > 0)
            backFromPrompt = true;
    }
    // False when the activation only ends a box of the owner's own.
    bool Activated()
    {
        const bool counts = !backFromPrompt;
        backFromPrompt = false;
        return counts;
    }

private:
    int open = 0;
    bool backFromPrompt = false;
};

} // namespace quintara
