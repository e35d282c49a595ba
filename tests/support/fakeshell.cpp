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

} // namespace quintara::test
