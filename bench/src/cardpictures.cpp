// Figures of the card module: its size on disk, and for each detail of the
// pictures the time to decode all of them once and the memory they then take.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

#include "support/fakeshell.h"
#include "table/cardimages.h"

using namespace quintara;
using cardmodule::CardSize;

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    std::printf("zozaro2.dll: %lld bytes\n",
                QFileInfo(QCoreApplication::applicationDirPath() + "/zozaro2.dll").size());
    for (const CardSize size : {CardSize::Normal, CardSize::Large}) {
        for (int scale = 1; scale <= cardmodule::MaxScale; ++scale) {
            test::FakeShell shell;
            CardImageLibrary library(shell);
            library.Load();
            QElapsedTimer clock;
            clock.start();
            qint64 bytes = 0;
            for (int number = cardmodule::FirstNumber; number <= cardmodule::LastNumber; ++number)
                bytes += library.Bitmap(number, size, scale).sizeInBytes();
            std::printf("%s x%d: 56 pictures decoded in %.1f ms, %.1f MiB decoded%s\n",
                        size == CardSize::Large ? "large " : "normal", scale,
                        clock.nsecsElapsed() / 1e6, bytes / 1048576.0,
                        library.LibraryFailed() ? " (failed)" : "");
        }
    }
    return 0;
}
