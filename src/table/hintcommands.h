#pragma once
// "Suggerimento" and "Si può ancora vincere?": the solver searches from the
// position on the table on a thread of its own, over a copy, so the window
// goes on answering; the search is capped by time, and any press of a key or
// a mouse button cancels it. Neither command changes the table, the undo copy
// or the statistics.

#include <atomic>
#include <cstdint>
#include <optional>
#include <thread>

#include <QObject>
#include <QTimer>

#include "solver/hintsearch.h"

namespace quintara {

struct GameState;
class Shell;
class HintMarks;

class HintCommands : public QObject {
    Q_OBJECT
public:
    // `table` is the widget the marks are drawn over.
    HintCommands(GameState &state, Shell &shell, QWidget *table);
    ~HintCommands() override;

    void MoveHint1Click() { Ask(HintQuestion::NextMove); }
    void MoveWinnable1Click() { Ask(HintQuestion::Winnable); }

    bool Searching() const { return question.has_value(); }
    const HintMarks &Marks() const { return *marks; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Ask(HintQuestion asked);
    // Starts once the automatic moves have played out, so the hint is for
    // the position the player will see.
    void Begin();
    void Answered(std::uint64_t search, const HintAnswer &answer);
    void Stop();

    GameState &state;
    Shell &shell;
    HintMarks *marks = nullptr;
    std::optional<HintQuestion> question;
    HintPosition position;
    std::thread worker;
    std::atomic<bool> cancel{false};
    std::uint64_t searchNumber = 0;
    QTimer settleTimer;
};

} // namespace quintara
