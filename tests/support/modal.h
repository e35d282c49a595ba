#pragma once
// Answers the modal boxes a widget test runs into: each box that opens is
// recorded and closed with the next scripted answer (OK or Yes once the
// script runs out), so a test never blocks on a message box.

#include <deque>
#include <functional>
#include <vector>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

namespace quintara::test {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
};

class ModalAnswerer : public QObject {
    Q_OBJECT
public:
    ModalAnswerer();
    // Answers for the coming Yes/No boxes; information boxes just take OK.
    std::deque<QMessageBox::StandardButton> answers;
    // The buttons chosen in the coming boxes with buttons of their own; the first once they run out.
    std::deque<int> choices;
    std::vector<SeenBox> seen;
    // Called with each message box before it is answered.
    std::function<void(QMessageBox *)> onBox;
    // Called with any other modal dialog (statistics, about...) before it is closed.
    std::function<void(QDialog *)> onDialog;
    int dialogsClosed = 0;

private:
    void poll();
};

// Runs the event loop for real, so that it goes to sleep between events and
// the window's idle work (loading the card module) gets its turn.
template <typename Condition>
bool IdleUntil(Condition done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

} // namespace quintara::test
