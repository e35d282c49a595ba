#pragma once
// The main() of a test program that shows the real windows headless, on an
// offscreen screen of a chosen size.

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "support/screen.h"

namespace quintara::test {

template <typename TestObject>
int RunOnOffscreenScreen(int argc, char **argv, int width, int height)
{
    QTemporaryDir dir;
    if (!UseOffscreenScreen(dir, width, height))
        return 1;
    QApplication app(argc, argv);
    TestObject test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace quintara::test
