#include "support/fakeshell.h"

namespace quintara::test {

bool FakeShell::AskYesNo(const QString &text, const QString &)
{
    questions << text;
    if (answers.empty())
        return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

int FakeShell::AskChoice(const QString &text, const QString &, const QStringList &)
{
    questions << text;
    if (choices.empty())
        return 0;
    const int choice = choices.front();
    choices.pop_front();
    return choice;
}

} // namespace quintara::test
