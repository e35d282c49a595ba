#include "core/gameflow.h"

#include "core/automove.h"
#include "core/clock.h"
#include "core/deal.h"
#include "core/gamestate.h"
#include "core/shell.h"
#include "table/analysis.h"

namespace quintara {

namespace {

const QString ControlCaption = QStringLiteral(" Controllo del gioco");
const QString ClosingCaption = QStringLiteral(" Fase di chiusura");
const QString CloseQuestion = QStringLiteral("Finisci il gioco ed esci?");

void TakePileOrder(GameState &state)
{
    state.GamePileSuit = state.Settings.PileSuit;
    for (int p = 0; p < PileCount; ++p)
        state.EmptyPileImage[p] = EmptyPileImage(state.GamePileSuit[p]);
}

QString StartedText(const GameState &state)
{
    return QStringLiteral("Gioco iniziato alle ore ") + LongTimeText(state.GameStartTime);
}

void WriteGameTimes(GameState &state, Shell &shell, const QString &endWord)
{
    const QDateTime end = shell.Now();
    shell.SetStatusText(0, StartedText(state));
    shell.SetStatusText(1, QStringLiteral("Gioco %1 alle ore ").arg(endWord) + LongTimeText(end));
    shell.SetStatusText(2, QStringLiteral("Tempo di gioco: minuti ") +
                               GameDurationText(state.GameStartTime, end) + QStringLiteral(" secondi"));
}

// What both ends of a game leave behind: no game, and its commands off.
void CloseGameFlags(GameState &state)
{
    state.GameInProgress = false;
    state.DeckDealt = false;
    state.AnalysisOn = false;
    state.UndoEnabled = false;
    state.ShowMovesEnabled = false;
    state.FinishEnabled = false;
}

void HideGameButtons(Shell &shell)
{
    shell.SetButtonVisible(Button::UndoBtn1, false);
    shell.SetButtonVisible(Button::ShowBtn1, false);
}

// The empty table after a game, drawn afresh.
void ClearTable(GameState &state, Shell &shell, PaintSender sender)
{
    state.PaintSuspended = false;
    ResetTable(state);
    shell.ResetInfoPanel();
    state.FullRepaint = true;
    shell.Repaint(sender);
}

void EndForLackOfMoves(GameState &state, Shell &shell)
{
    // Show the verdict in the panel, even if the player had it hidden.
    if (!state.ShowMoves) {
        state.ShowMoves = true;
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
    state.ShowMovesEnabled = !state.DetailsShown;
    if (state.Settings.TransferInfo) {
        shell.SetStatusText(1, QStringLiteral("Scelto l'informazione sugli spostamenti"));
    } else {
        shell.SetStatusText(1, QStringLiteral(" ") + StartedText(state));
        shell.SetTimerEnabled(GameTimer::Timer1, true);
    }
    shell.SetStatusText(2, QString());
    state.Settings.PrefsChanged = false;
}

void StartGameLoop(GameState &state, Shell &shell)
{
    state.GameStartTime = shell.Now();
    shell.SetStatusText(1, StartedText(state));
    shell.SetTimerEnabled(GameTimer::Timer1, true);

    state.CellRowFrameDirty = true;
    state.FoundationFrameDirty = true;
    state.UndoEnabled = false;
    state.UndoAvailable = false;
    state.AutoMoveHold = true;
    state.AnalysisOn = true;
    state.FinishEnabled = true;

    ApplyDetailsMode(state, shell);
    state.ShowMovesEnabled = !state.DetailsShown;
    state.Settings.PrefsChanged = false;
    state.MovesLeft = true;

    shell.RefreshSidePicture();
    shell.Repaint(PaintSender::Window);

    state.ShownCardsLeft = 0;
    state.CardsHome = {};
    state.FoundationLevel = 1;
    shell.SetPointer(Pointer::Arrow);
    shell.SetButtonVisible(Button::UndoBtn1, true);
}

} // namespace

void InitialiseGame(GameState &state)
{
    state.FullRepaint = true;
    state.DeckDealt = false;
    state.GameInProgress = false;
    state.AutoMoveHold = true;
    state.Settings.PrefsChanged = false;
    state.AnalysisOn = false;
    state.ShowMoves = false;
    state.UndoEnabled = false;
    state.ShowMovesEnabled = false;
    state.FinishEnabled = false;
    state.DetailsShown = false;
    ResetTable(state);
    state.Statistics.RunWon = 0;
    state.Statistics.RunLost = 0;
    state.Layout.ColumnGap = state.Settings.ColumnSpacing;
    state.Layout.RowStep = 18;
    TakePileOrder(state);
    state.Settings.FlightDelay = 11 - state.Settings.SpeedSlider;
}

void NewGame1Click(GameState &state, Shell &shell, std::uint32_t seed)
{
    if (state.DeckDealt) {
        shell.ShowNotice(QStringLiteral("Il gioco attuale non è ancora finito."),
                         QStringLiteral(" Selezione del nuovo gioco"), NoticeIcon::Information);
        return;
    }
    shell.SetPointer(Pointer::Hourglass);
    state.DeepestTop = 0;
    ResetTable(state);
    TakePileOrder(state);
    ShuffleAndDeal(state, seed);
    if (state.GameInProgress)
        RunGame(state, shell);
}

void ApplyDetailsMode(GameState &state, Shell &shell)
{
    if (state.Settings.TransferDetails) {
        state.DetailsShown = true;
        state.ShowMoves = false;
        shell.SetButtonVisible(Button::ShowBtn1, false);
    } else {
        shell.SetButtonVisible(Button::ShowBtn1, true);
        state.PanelNeedsRedraw = true;
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
    while (state.GameInProgress && state.MovesLeft && state.FoundationLevel < 13) {
        shell.ProcessEvents(!cardWentHome);
        // A command ended the game (finish, clear, close, exit): the rest of
        // the pass must not run, least of all draw with released resources.
        if (!state.GameInProgress)
            break;

        if (state.ResizePending) {
            state.ResizePending = false;
            shell.ProcessEvents();
            shell.Pause(30);
            shell.ProcessEvents();
            shell.RefreshSidePicture();
        }
        if (state.Settings.PrefsChanged)
            ApplyChangedPreferences(state, shell);

        const std::int32_t cardsLeftBefore = state.CardsLeft;
        if (!state.AutoMoveHold)
            AutoMoveToFoundation(state, shell);
        cardWentHome = state.CardsLeft != cardsLeftBefore;

        if (state.AnalysisOn)
            AnalyseMoves(state, shell);
        shell.ApplyCommandStates();
        if (state.CardsLeft != state.ShownCardsLeft) {
            state.ShownCardsLeft = state.CardsLeft;
            shell.SetStatusText(0, QStringLiteral(" Numero di carte rimaste:  %1").arg(state.CardsLeft));
        }
    }
    if (state.GameInProgress && state.FoundationLevel >= 13)
        GameWon(state, shell);
    else if (state.GameInProgress && !state.MovesLeft)
        EndForLackOfMoves(state, shell);
    shell.ApplyCommandStates();
}

void Timer1Timer(GameState &state, Shell &shell)
{
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    if (!state.GameInProgress || !state.Settings.TimeDisplay)
        return;
    shell.SetStatusText(2, QStringLiteral("Tempo di gioco: minuti ") +
                               GameDurationText(state.GameStartTime, shell.Now()) + QStringLiteral(" secondi"));
    shell.SetTimerEnabled(GameTimer::Timer1, true);
}

void Timer2Timer(GameState &state, Shell &shell)
{
    shell.SetTimerEnabled(GameTimer::Timer2, false);
    if (!state.GameInProgress || !state.AnalysisOn)
        return;
    if (state.ShowMoves && state.PickedFrom == FromNothing)
        state.PanelNeedsRedraw = true;
    shell.ProcessEvents();
    shell.SetTimerEnabled(GameTimer::Timer2, true);
}

void FinishGame1Click(GameState &state, Shell &shell)
{
    if (!state.GameInProgress && !state.DeckDealt)
        return;
    if (!shell.AskYesNo(QStringLiteral("Vuoi proprio finire il gioco in corso?"), ControlCaption))
        return;
    GameFinished(state, shell);
    ClearTable(state, shell, PaintSender::MainMenu1);
}

void BitBtn1Click(GameState &state, Shell &shell)
{
    if (state.GameInProgress || state.DeckDealt) {
        if (!shell.AskYesNo(QStringLiteral("Finisci il gioco in corso?"), ControlCaption))
            return;
        GameFinished(state, shell);
    }
    ClearTable(state, shell, PaintSender::BitBtn1);
}

bool FormClose(GameState &state, Shell &shell)
{
    if (!state.GameInProgress)
        return true;
    if (!shell.AskYesNo(CloseQuestion, ClosingCaption))
        return false;
    GameFinished(state, shell);
    return true;
}

void GameExitClick(GameState &state, Shell &shell)
{
    if (state.GameInProgress) {
        if (!shell.AskYesNo(CloseQuestion, ClosingCaption))
            return;
        GameFinished(state, shell);
    }
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    state.GameInProgress = false;
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
    state.PaintSuspended = false;
    ResetTable(state);
    state.FullRepaint = true;
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
