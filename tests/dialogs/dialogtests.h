#pragma once
// The dialog tests share one program; each group runs its own test object.

namespace quintara::test {

int RunStatisticsDialogTests(int argc, char **argv);
int RunCalendarTests(int argc, char **argv);
int RunAboutBoxTests(int argc, char **argv);
int RunWholeTextTests(int argc, char **argv);
int RunItalianTests(int argc, char **argv);

} // namespace quintara::test
