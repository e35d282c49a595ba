// Another program on the same desktop: a small window that prints a line for
// every click it receives, so a script can tell whether the game lets the
// rest of the desktop have the pointer.

#include <cstdio>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

class Probe : public QWidget {
protected:
    void mousePressEvent(QMouseEvent *) override
    {
        std::printf("click\n");
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Probe probe;
    // Above the maximised game, as a window the player just brought forward.
    probe.setWindowFlag(Qt::WindowStaysOnTopHint);
    probe.setWindowTitle(QStringLiteral("sonda"));
    probe.setGeometry(QApplication::arguments().value(1, QStringLiteral("0")).toInt(),
                      QApplication::arguments().value(2, QStringLiteral("0")).toInt(), 120, 120);
    probe.show();
    return app.exec();
}
