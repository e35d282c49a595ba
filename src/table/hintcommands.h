#pragma once
// "Suggerimento", "Si può ancora vincere?", "Dove ho sbagliato?" and
// "Mostrami come si vince": the solver searches on a thread of its own, over
// a copy, so the window goes on answering; the search is capped by time, and
// any press of a key or a mouse button cancels it. The first two change
// nothing; "Dove ho sbagliato?" puts the lost game back as it was before the
// move that lost it, to be played on; "Mostrami come si vince" plays the
// line found, move by move, until the win or the player's next key or click.

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
    void MoveWhereLost1Click();
    void MoveShowWin1Click();

    bool Searching() const { return question.has_value(); }
    const HintMarks &Marks() const { return *marks; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Ask(HintQuestion asked);
    // Starts once the automatic moves have played out, so the hint is for
    // the position the player will see.
    void Begin();
    // Runs `find` on the search thread and hands its answer to `answered`
    // here, unless a stop or a newer search has come in between.
    template <typename Find, typename Answer>
    void Launch(Find find, void (HintCommands::*answered)(std::uint64_t, const Answer &));
    void Answered(std::uint64_t search, const HintAnswer &answer);
    void Explained(std::uint64_t search, const LossAnswer &answer);
    // The explanation's words and frame, once the loop has drawn the table.
    void ShowLoss();
    void ShowNextMove();
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
    QTimer lossTimer;
    std::optional<LossAnswer> lossShown;
    QString lossText;
    // The winning line being shown, and how far it has come.
    QTimer showTimer;
    std::vector<Move> shownLine;
    std::size_t shownMoves = 0;
};

} // namespace quintara
