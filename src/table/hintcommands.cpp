#include "table/hintcommands.h"

#include <QApplication>
#include <QEvent>

#include "core/automove.h"
#include "core/gamestate.h"
#include "core/shell.h"
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
    qApp->installEventFilter(this);
}

HintCommands::~HintCommands()
{
    Stop();
}

void HintCommands::Stop()
{
    settleTimer.stop();
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
    cancel = false;
    const std::uint64_t search = ++searchNumber;
    const HintLimits limits = LimitsFor(*question);
    worker = std::thread([this, search, limits] {
        const HintAnswer answer = SearchFrom(position, limits, cancel);
        QMetaObject::invokeMethod(this, [this, search, answer] { Answered(search, answer); }, Qt::QueuedConnection);
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

bool HintCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (IsInput(event->type())) {
        marks->Clear();
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
