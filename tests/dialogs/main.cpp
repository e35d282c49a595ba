#include <QApplication>

#include "dialogtests.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += quintara::test::RunStatisticsDialogTests(argc, argv);
    failures += quintara::test::RunCalendarTests(argc, argv);
    failures += quintara::test::RunAboutBoxTests(argc, argv);
    failures += quintara::test::RunWholeTextTests(argc, argv);
    failures += quintara::test::RunItalianTests(argc, argv);
    return failures;
}
