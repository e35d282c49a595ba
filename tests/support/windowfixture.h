#pragma once
// A main window for widget tests: its own settings file in a temporary
// folder, its modal boxes answered, and games played inside its loop.

#include <cstdint>
#include <functional>
#include <memory>

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include "support/modal.h"
#include "table/mainwindow.h"

namespace quintara::test {

struct WindowFixture {
    QTemporaryDir dir;
    ModalAnswerer answerer;
    std::unique_ptr<TForm1> form;

    // Creates the window on `library`; `show` puts it on the screen and
    // waits until it is exposed, otherwise the test composes and shows it.
    explicit WindowFixture(const QString &library = QStringLiteral("zozaro2.dll"), bool show = true);
    // Shows the window and waits until it is on the screen, maximised.
    bool Show();

    QString StorePath() const;
    GameState &State() { return form->State(); }
    GameStatistics StoredStatistics() const;
    GameSettings StoredSettings() const;
    // Runs `during` inside the game loop of a new game on `seed`; returns
    // once the game has ended, finishing it if `during` left it going.
    void PlayGame(std::uint32_t seed, const std::function<void()> &during);
    // A copy of part of what the window shows.
    QImage Region(int x, int y, int w, int h) const;
};

} // namespace quintara::test
