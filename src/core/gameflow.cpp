#include "core/gameflow.h"

#include <utility>

#include "core/automove.h"
#include "core/clock.h"
#include "core/deal.h"
#include "core/gamestate.h"
#include "core/shell.h"
#include "core/analysis.h"

namespace quintara {

namespace {

const QString ControlCaption = QStringLiteral(" Controllo del gioco");
const QString ClosingCaption = QStringLiteral(" Fase di chiusura");
const QString CloseQuestion = QStringLiteral("Finisci il gioco ed esci?");

void TakePileOrder(GameState &state, const PileSuitOrder &pileSuit)
{
    state.deal.GamePileSuit = pileSuit;
    for (int p = 0; p < PileCount; ++p)
        state.deal.EmptyPileImage[p] = EmptyPileImage(pileSuit[p]);
}

QString StartedText(const GameState &state)
{
    return QStringLiteral("Gioco iniziato alle ore ") + LongTimeText(state.flags.GameStartTime);
}

void WriteGameTimes(GameState &state, Shell &shell, const QString &endWord)
{
    const QDateTime end = shell.Now();
    shell.SetStatusText(CardsPanel, StartedText(state));
    shell.SetStatusText(GamePanel, QStringLiteral("Gioco %1 alle ore ").arg(endWord) + LongTimeText(end));
    shell.SetStatusText(MovesPanel, QStringLiteral("Tempo di gioco: minuti ") +
                               GameDurationText(state.flags.GameStartTime, end) + QStringLiteral(" secondi"));
}

// What both ends of a game leave behind: no game, and its commands off.
void CloseGameFlags(GameState &state)
{
    state.flags.GameInProgress = false;
    state.flags.DeckDealt = false;
    state.flags.AnalysisOn = false;
    state.flags.UndoEnabled = false;
    state.flags.ShowMovesEnabled = false;
    state.flags.FinishEnabled = false;
}

void HideGameButtons(Shell &shell)
{
    shell.SetButtonVisible(Button::UndoBtn1, false);
    shell.SetButtonVisible(Button::ShowBtn1, false);
}

// The empty table after a game, drawn afresh.
void ClearTable(GameState &state, Shell &shell, PaintSender sender)
{
    state.paint.PaintSuspended = false;
    ResetTable(state);
    shell.ResetInfoPanel();
    state.paint.FullRepaint = true;
    shell.Repaint(sender);
}

void EndForLackOfMoves(GameState &state, Shell &shell)
{
    // Show the verdict in the panel, even if the player had it hidden.
    if (!state.flags.ShowMoves) {
        state.flags.ShowMoves = true;
        shell.ResetInfoPanel();
        AnalyseMoves(state, shell);
    }
    shell.ShowNotice(QStringLiteral(" Nessuna mossa rimasta. Il gioco è finito."), ControlCaption,
                     NoticeIcon::Information);
    GameFinished(state, shell);
    ClearTable(state, shell, PaintSender::Window);
    shell.ShowStatisticsDialog();
}

void ApplyChangedPreferences(GameState &state, Shell &shell)
{
    shell.RefreshSidePicture();
    ApplyDetailsMode(state, shell);
    state.flags.ShowMovesEnabled = !state.flags.DetailsShown;
    if (state.Settings.TransferInfo) {
        shell.SetStatusText(GamePanel, QStringLiteral("Scelto l'informazione sugli spostamenti"));
    } else {
        shell.SetStatusText(GamePanel, QStringLiteral(" ") + StartedText(state));
        shell.SetTimerEnabled(GameTimer::Timer1, true);
    }
    shell.SetStatusText(MovesPanel, QString());
    state.Settings.PrefsChanged = false;
}

void StartGameLoop(GameState &state, Shell &shell)
{
    state.flags.GameStartTime = shell.Now();
    shell.SetStatusText(GamePanel, StartedText(state));
    shell.SetTimerEnabled(GameTimer::Timer1, true);

    state.flags.UndoEnabled = false;
    state.flags.UndoAvailable = false;
    state.flags.AutoMoveHold = true;
    state.flags.AnalysisOn = true;
    state.flags.FinishEnabled = true;

    ApplyDetailsMode(state, shell);
    state.flags.ShowMovesEnabled = !state.flags.DetailsShown;
    state.Settings.PrefsChanged = false;
    state.flags.MovesLeft = true;

    shell.RefreshSidePicture();
    shell.Repaint(PaintSender::Window);

    state.flags.ShownCardsLeft = 0;
    shell.SetPointer(Pointer::Arrow);
    shell.SetButtonVisible(Button::UndoBtn1, true);
}

} // namespace

void InitialiseGame(GameState &state)
{
    state.paint.FullRepaint = true;
    state.flags.DeckDealt = false;
    state.flags.GameInProgress = false;
    state.flags.AutoMoveHold = true;
    state.Settings.PrefsChanged = false;
    state.flags.AnalysisOn = false;
    state.flags.ShowMoves = false;
    state.flags.UndoEnabled = false;
    state.flags.ShowMovesEnabled = false;
    state.flags.FinishEnabled = false;
    state.flags.DetailsShown = false;
    ResetTable(state);
    state.Statistics.RunWon = 0;
    state.Statistics.RunLost = 0;
    state.deal.ColumnGap = state.Settings.ColumnSpacing;
    TakePileOrder(state, state.Settings.PileSuit);
    state.Settings.FlightDelay = FlightDelayFor(state.Settings.SpeedSlider);
}

void NewGame1Click(GameState &state, Shell &shell, std::uint32_t seed)
{
    if (state.flags.DeckDealt) {
        shell.ShowNotice(QStringLiteral("Il gioco attuale non è ancora finito."),
                         QStringLiteral(" Selezione del nuovo gioco"), NoticeIcon::Information);
        return;
    }
    // A deal asked for during a game waits for that game's loop to return
    // here, so games follow one another instead of nesting their loops.
    for (std::optional<std::uint32_t> deal = seed; deal; deal = std::exchange(state.deal.NextDeal, std::nullopt)) {
        shell.SetPointer(Pointer::Hourglass);
        state.flags.DeepestTop = 0;
        ResetTable(state);
        TakePileOrder(state, state.Settings.PileSuit);
        state.deal.LastDeal = *deal;
        ShuffleAndDeal(state, *deal);
        if (state.flags.GameInProgress)
            RunGame(state, shell);
    }
}

void PlayTable(GameState &state, Shell &shell, const Table &table, const PileSuitOrder &pileSuit)
{
    state.held.PickedFrom = FromNothing;
    state.table = table;
    state.undo = {};
    state.deal.ColumnGap = state.Settings.ColumnSpacing;
    PlaceSlots(state.table, state.Layout, state.deal.ColumnGap);
    state.paint.TableReplaced();
    TakePileOrder(state, pileSuit);
    state.flags.DeepestTop = 0;
    state.flags.DeckDealt = true;
    state.flags.GameInProgress = true;
    RunGame(state, shell);
}

void PlayDeal(GameState &state, Shell &shell, std::uint32_t seed)
{
    if (!state.flags.GameInProgress && !state.flags.DeckDealt) {
        NewGame1Click(state, shell, seed);
        return;
    }
    FinishGame1Click(state, shell);
    if (!state.flags.DeckDealt)
        state.deal.NextDeal = seed;
}

void ApplyDetailsMode(GameState &state, Shell &shell)
{
    if (state.Settings.TransferDetails) {
        state.flags.DetailsShown = true;
        state.flags.ShowMoves = false;
        shell.SetButtonVisible(Button::ShowBtn1, false);
    } else {
        shell.SetButtonVisible(Button::ShowBtn1, true);
        state.panels.PanelNeedsRedraw = true;
        shell.SetTimerEnabled(GameTimer::Timer2, true);
        shell.ResetInfoPanel();
    }
}

void RunGame(GameState &state, Shell &shell)
{
    StartGameLoop(state, shell);

    // Each pass handles what the player did, then sends at most one card
    // home and recounts the moves. When a pass sent nothing home, nothing
    // can change until the player or a timer acts, so the next pass sleeps
    // until an event arrives instead of spinning.
    bool cardWentHome = true;   // the first pass looks at the fresh deal at once
    while (state.flags.GameInProgress && state.flags.MovesLeft && !IsWon(state.table)) {
        shell.ProcessEvents(!cardWentHome);
        // A command ended the game (finish, clear, close, exit): the rest of
        // the pass must not run, least of all draw with released resources.
        if (!state.flags.GameInProgress)
            break;

        if (state.flags.ResizePending) {
            state.flags.ResizePending = false;
            shell.ProcessEvents();
            shell.Pause(30);
            shell.ProcessEvents();
            shell.RefreshSidePicture();
        }
        if (state.Settings.PrefsChanged)
            ApplyChangedPreferences(state, shell);

        const std::int32_t cardsLeftBefore = state.table.CardsLeft;
        if (!state.flags.AutoMoveHold)
            AutoMoveToFoundation(state, shell);
        cardWentHome = state.table.CardsLeft != cardsLeftBefore;

        if (state.flags.AnalysisOn)
            AnalyseMoves(state, shell);
        shell.ApplyCommandStates();
        if (state.table.CardsLeft != state.flags.ShownCardsLeft) {
            state.flags.ShownCardsLeft = state.table.CardsLeft;
            shell.SetStatusText(CardsPanel, QStringLiteral(" Numero di carte rimaste:  %1").arg(state.table.CardsLeft));
        }
    }
    if (state.flags.GameInProgress && IsWon(state.table))
        GameWon(state, shell);
    else if (state.flags.GameInProgress && !state.flags.MovesLeft)
        EndForLackOfMoves(state, shell);
    shell.ApplyCommandStates();
}

void Timer1Timer(GameState &state, Shell &shell)
{
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    if (!state.flags.GameInProgress || !state.Settings.TimeDisplay)
        return;
    shell.SetStatusText(MovesPanel, QStringLiteral("Tempo di gioco: minuti ") +
                               GameDurationText(state.flags.GameStartTime, shell.Now()) + QStringLiteral(" secondi"));
    shell.SetTimerEnabled(GameTimer::Timer1, true);
}

void Timer2Timer(GameState &state, Shell &shell)
{
    shell.SetTimerEnabled(GameTimer::Timer2, false);
    if (!state.flags.GameInProgress || !state.flags.AnalysisOn)
        return;
    if (state.flags.ShowMoves && state.held.PickedFrom == FromNothing)
        state.panels.PanelNeedsRedraw = true;
    shell.ProcessEvents();
    shell.SetTimerEnabled(GameTimer::Timer2, true);
}

void FinishGame1Click(GameState &state, Shell &shell)
{
    if (!state.flags.GameInProgress && !state.flags.DeckDealt)
        return;
    if (!shell.AskYesNo(QStringLiteral("Vuoi proprio finire il gioco in corso?"), ControlCaption))
        return;
    GameFinished(state, shell);
    ClearTable(state, shell, PaintSender::MainMenu1);
}

void BitBtn1Click(GameState &state, Shell &shell)
{
    if (state.flags.GameInProgress || state.flags.DeckDealt) {
        if (!shell.AskYesNo(QStringLiteral("Finisci il gioco in corso?"), ControlCaption))
            return;
        GameFinished(state, shell);
    }
    ClearTable(state, shell, PaintSender::BitBtn1);
}

bool FormClose(GameState &state, Shell &shell)
{
    if (!state.flags.GameInProgress)
        return true;
    if (!shell.AskYesNo(CloseQuestion, ClosingCaption))
        return false;
    GameFinished(state, shell);
    return true;
}

void GameExitClick(GameState &state, Shell &shell)
{
    if (state.flags.GameInProgress) {
        if (!shell.AskYesNo(CloseQuestion, ClosingCaption))
            return;
        GameFinished(state, shell);
    }
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    state.flags.GameInProgress = false;
    shell.ReleaseResources();
    shell.CloseMainWindow();
}

void GameWon(GameState &state, Shell &shell)
{
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    WriteGameTimes(state, shell, QStringLiteral("vinto"));

    CountGame(state.Statistics, true);
    shell.SaveStatistics();

    CloseGameFlags(state);
    shell.ResetInfoPanel();
    HideGameButtons(shell);
    shell.ShowNotice(QStringLiteral("Congratulazioni, hai vinto!  Sei FORTE!"),
                     QStringLiteral(" Risultato del gioco"), NoticeIcon::Information);
    state.paint.PaintSuspended = false;
    ResetTable(state);
    state.paint.FullRepaint = true;
    shell.Repaint(PaintSender::Window);
    shell.ShowStatisticsDialog();
}

void GameFinished(GameState &state, Shell &shell)
{
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    shell.SetTimerEnabled(GameTimer::Timer2, false);
    WriteGameTimes(state, shell, QStringLiteral("finito"));

    CountGame(state.Statistics, false);
    shell.SaveStatistics();

    CloseGameFlags(state);
    HideGameButtons(shell);
    shell.ProcessEvents();
    shell.Pause(200);
    shell.ProcessEvents();
}

} // namespace quintara
