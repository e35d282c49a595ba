#include "table/hintcommands.h"

#include <QApplication>
#include <QEvent>

#include "core/automove.h"
#include "core/gameflow.h"
#include "core/gamestate.h"
#include "core/rules.h"
#include "core/shell.h"
#include "moves/playermove.h"
#include "table/hintmarks.h"
#include "table/moveplaces.h"

namespace quintara {

namespace {

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

} // namespace

HintCommands::HintCommands(GameState &gameState, Shell &gameShell, QWidget *table)
    : state(gameState), shell(gameShell), marks(new HintMarks(table))
{
    settleTimer.setSingleShot(true);
    settleTimer.setInterval(40);
    connect(&settleTimer, &QTimer::timeout, this, &HintCommands::Begin);
    lossTimer.setInterval(20);
    connect(&lossTimer, &QTimer::timeout, this, &HintCommands::ShowLoss);
    connect(&showTimer, &QTimer::timeout, this, &HintCommands::ShowNextMove);
    qApp->installEventFilter(this);
}

HintCommands::~HintCommands()
{
    Stop();
}

void HintCommands::Stop()
{
    settleTimer.stop();
    showTimer.stop();
    shownLine.clear();
    question.reset();
    ++searchNumber;   // an answer still on its way is dropped
    cancel = true;
    if (worker.joinable())
        worker.join();
}

void HintCommands::Ask(HintQuestion asked)
{
    Stop();
    marks->Clear();
    if (!state.flags.GameInProgress)
        return;
    question = asked;
    shell.SetStatusText(0, SearchingText(asked));
    Begin();
}

void HintCommands::Begin()
{
    if (!question)
        return;
    if (!state.flags.GameInProgress) {
        Stop();
        return;
    }
    if (CascadePending(state.table, state.deal.GamePileSuit, state.flags.AutoMoveHold)) {
        settleTimer.start();
        return;
    }
    position = {state.table, state.deal.GamePileSuit, state.flags.AutoMoveHold};
    Launch([this, limits = LimitsFor(*question)] { return SearchFrom(position, limits, cancel); },
           &HintCommands::Answered);
}

template <typename Find, typename Answer>
void HintCommands::Launch(Find find, void (HintCommands::*answered)(std::uint64_t, const Answer &))
{
    cancel = false;
    const std::uint64_t search = ++searchNumber;
    worker = std::thread([this, search, find, answered] {
        const Answer answer = find();
        QMetaObject::invokeMethod(
            this, [this, search, answer, answered] { (this->*answered)(search, answer); }, Qt::QueuedConnection);
    });
}

void HintCommands::Answered(std::uint64_t search, const HintAnswer &answer)
{
    if (search != searchNumber || !question)
        return;
    const HintQuestion asked = *question;
    Stop();
    // Only the game's own passes may have run meanwhile; should the table
    // still have changed, the answer is for a position that is gone.
    if (!state.flags.GameInProgress || !(state.table == position.table))
        return;
    const HintLimits limits = LimitsFor(asked);
    if (asked == HintQuestion::ShowWin) {
        if (answer.line.empty()) {
            shell.SetStatusText(0, WinnableText(answer, limits));
            return;
        }
        shell.SetStatusText(0, QStringLiteral("Ecco come si vince: un clic o un tasto ferma la mostra."));
        shownLine = answer.line;
        shownMoves = 0;
        // The pause between two moves follows the speed of the flight.
        showTimer.start(150 + 40 * state.Settings.FlightDelay);
        return;
    }
    if (asked == HintQuestion::NextMove) {
        shell.SetStatusText(0, HintText(answer, limits));
        if (answer.firstMove) {
            const MovePlaces places = PlacesOf(state, *answer.firstMove);
            marks->Show(places.group, places.to);
        }
        return;
    }
    shell.SetStatusText(0, QString());
    shell.ShowNotice(WinnableText(answer, limits), QStringLiteral(" Controllo del gioco"), NoticeIcon::Information);
}

void HintCommands::MoveWhereLost1Click()
{
    Stop();
    marks->Clear();
    if (state.flags.GameInProgress || !state.flags.LastGameLost || !state.record.deal)
        return;
    question = HintQuestion::WhereLost;
    shell.SetStatusText(0, SearchingText(*question));
    Launch([this, limits = LimitsFor(*question), record = state.record] {
        return FindLosingMove(record, limits, cancel);
    }, &HintCommands::Explained);
}

void HintCommands::Explained(std::uint64_t search, const LossAnswer &answer)
{
    if (search != searchNumber || !question)
        return;
    const QString text = LossText(answer, LimitsFor(*question));
    Stop();
    const bool playable =
        answer.finding == LossAnswer::Finding::LosingMove || answer.finding == LossAnswer::Finding::StillWinnable;
    if (state.flags.GameInProgress || !playable) {
        shell.SetStatusText(0, text);
        return;
    }
    // The game as it was just before the move that lost it, to be played
    // on: it was counted when it was lost, and counts nothing more.
    const GameRecord played = answer.finding == LossAnswer::Finding::LosingMove
                                  ? RecordUpTo(state.record, answer.entry)
                                  : state.record;
    const std::optional<ReplayedGame> game = ReplayRecord(played);
    if (!game)
        return;
    lossShown = answer;
    lossText = text;
    lossTimer.start();
    PlayOnFrom(state, shell, played, *game);
}

void HintCommands::ShowLoss()
{
    if (!state.flags.GameInProgress) {
        lossTimer.stop();
        return;
    }
    // The loop's first pass writes the cards left over the first panel.
    if (state.flags.ShownCardsLeft != state.table.CardsLeft || !lossShown)
        return;
    lossTimer.stop();
    // Too long for one panel: the move in the first, the verdict on it in the second.
    const qsizetype colon = lossText.indexOf(QStringLiteral(": "));
    shell.SetStatusText(CardsPanel, colon < 0 ? lossText : lossText.left(colon + 1));
    if (colon >= 0)
        shell.SetStatusText(GamePanel, lossText.mid(colon + 2));
    if (lossShown->finding == LossAnswer::Finding::LosingMove) {
        const MovePlaces places = PlacesOf(state, lossShown->move);
        marks->Show(places.group, places.to, true);
    }
    lossShown.reset();
}

void HintCommands::MoveShowWin1Click()
{
    if (AgreeToShowWin(state, shell))
        Ask(HintQuestion::ShowWin);
}

void HintCommands::ShowNextMove()
{
    if (!state.flags.GameInProgress || shownMoves >= shownLine.size()) {
        Stop();
        return;
    }
    if (state.held.PickedFrom != FromNothing || CascadePending(state.table, state.deal.GamePileSuit, state.flags.AutoMoveHold))
        return;
    const Move &move = shownLine[shownMoves++];
    if (!IsLegal(state.table, state.deal.GamePileSuit, move)) {
        Stop();
        shell.SetStatusText(0, QStringLiteral("La via trovata non vale più per questo tavolo."));
        return;
    }
    const MovePlaces places = PlacesOf(state, move);
    shell.FlyCard(move.card, places.pick.left, places.pick.top, places.to.left, places.to.top);
    PlayerMove(state, shell, move);
}

bool HintCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (IsInput(event->type())) {
        marks->Clear();
        if (!shownLine.empty()) {
            Stop();
            shell.SetStatusText(0, QStringLiteral("Mostra interrotta: ora gioca tu."));
            return event->type() == QEvent::KeyPress;
        }
        if (question) {
            Stop();
            shell.SetStatusText(0, QStringLiteral("Ricerca interrotta."));
            // The key that stops the search does only that: Esc puts no
            // held card back, Space moves none.
            return event->type() == QEvent::KeyPress;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quintara
