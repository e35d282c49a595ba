#include "core/gameflow.h"

#include <utility>

#include <QRandomGenerator>

#include "core/automove.h"
#include "core/clock.h"
#include "core/deal.h"
#include "core/gamestate.h"
#include "core/shell.h"
#include "core/undo.h"
#include "core/analysis.h"

namespace quintara {

namespace {

const QString ControlCaption = QStringLiteral(" Controllo del gioco");
const QString ClosingCaption = QStringLiteral(" Fase di chiusura");
const QString CloseQuestion = QStringLiteral("Finisci il gioco ed esci?");
const QString ResumeCaption = QStringLiteral(" Ripresa del gioco");

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
    const QString text = QStringLiteral(" Nessuna mossa rimasta. Il gioco è finito.");
    bool explain = false;
    if (state.record.deal)
        explain = shell.AskChoice(text, ControlCaption, {QStringLiteral("OK"), QStringLiteral("&Dove ho sbagliato?")}) == 1;
    else
        shell.ShowNotice(text, ControlCaption, NoticeIcon::Information);
    GameFinished(state, shell);
    ClearTable(state, shell, PaintSender::Window);
    shell.ShowStatisticsDialog();
    if (explain)
        shell.ExplainLoss();
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

void StartGameLoop(GameState &state, Shell &shell, const ReplayedGame &start)
{
    // A game played on goes on with its own clock.
    state.flags.GameStartTime = shell.Now().addMSecs(-start.elapsedMs);
    shell.SetStatusText(GamePanel, StartedText(state));
    shell.SetTimerEnabled(GameTimer::Timer1, true);

    state.flags.UndoAvailable = start.undoEnabled;
    state.flags.UndoEnabled = UndoOffered(state, start.undoEnabled);
    state.flags.AutoMoveHold = start.autoMoveHold;
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

// The record on the disk as it is now, with the time played so far.
void KeepNow(GameState &state, Shell &shell)
{
    state.record.elapsedMs = state.flags.GameStartTime.msecsTo(shell.Now());
    shell.KeepGame(state.record);
}

// Keeps the record on the disk whenever it has grown, so that the game
// outlives any end of the program. `kept` is the length last kept.
void KeepRecord(GameState &state, Shell &shell, std::size_t &kept)
{
    if (!state.record.deal || state.record.entries.size() == kept)
        return;
    kept = state.record.entries.size();
    KeepNow(state, shell);
}

// The game in the statistics, once: a game already counted (one the
// player had the game finish for them) counts nothing more.
void CountOnce(GameState &state, Shell &shell, bool won)
{
    if (state.record.counted)
        return;
    CountGame(state.Statistics, won);
    // Stored with the count in one write: a record the program had no
    // time to drop is known as counted at the next start.
    state.Statistics.LastCounted = state.record.stamp;
    shell.SaveStatistics();
    state.record.counted = true;
}

// The end of a game: counted once, and kept no more.
void CountEnd(GameState &state, Shell &shell, bool won)
{
    CountOnce(state, shell, won);
    shell.DropKeptGame();
}

void RunFrom(GameState &state, Shell &shell, const ReplayedGame &start);

// The closing question; true when the window may close.
bool AskToClose(GameState &state, Shell &shell)
{
    QStringList choices{QStringLiteral("&Sì"), QStringLiteral("&No")};
    if (state.record.deal)
        choices << QStringLiteral("&Riprendi dopo");
    // A box closed without an answer leaves the game as No does.
    switch (shell.AskChoice(CloseQuestion, ClosingCaption, choices)) {
    case 0:
        GameFinished(state, shell);
        return true;
    case 2:
        PutOffGame(state, shell);
        return true;
    default:
        return false;
    }
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
    state.deal.NextDeal = seed;
    // A game that is still being ended (its boxes, its pause) deals it once
    // its loop has returned, instead of running a game inside its own end.
    if (!state.flags.LoopRunning)
        PlayPendingDeals(state, shell);
}

void PlayPendingDeals(GameState &state, Shell &shell)
{
    // A deal asked for during a game waits for that game's loop to return
    // here, so games follow one another instead of nesting their loops.
    while (const std::optional<std::uint32_t> deal = std::exchange(state.deal.NextDeal, std::nullopt)) {
        shell.SetPointer(Pointer::Hourglass);
        state.flags.DeepestTop = 0;
        ResetTable(state);
        TakePileOrder(state, state.Settings.PileSuit);
        state.deal.LastDeal = *deal;
        ShuffleAndDeal(state, *deal);
        state.record = {};
        state.flags.LastGameLost = false;
        state.record.deal = *deal;
        state.record.stamp = QRandomGenerator::global()->generate() | 1u;
        state.record.pileSuit = state.deal.GamePileSuit;
        if (state.flags.GameInProgress)
            RunGame(state, shell);
    }
}

void PlayTable(GameState &state, Shell &shell, const ReplayedGame &start, const PileSuitOrder &pileSuit)
{
    state.held.PickedFrom = FromNothing;
    state.deal.ColumnGap = state.Settings.ColumnSpacing;
    TakeReplayedTables(state, start);
    TakePileOrder(state, pileSuit);
    state.flags.DeepestTop = 0;
    state.flags.DeckDealt = true;
    state.flags.GameInProgress = true;
    RunFrom(state, shell, start);
}

void OfferKeptGame(GameState &state, Shell &shell, const GameRecord &record, const ReplayedGame &game)
{
    if (state.flags.DeckDealt || !record.deal)
        return;
    state.record = record;
    // Ended and counted, but killed before the record went: nothing to offer.
    if (!record.counted && record.stamp != 0 && record.stamp == state.Statistics.LastCounted) {
        shell.DropKeptGame();
        return;
    }
    if (!shell.AskYesNo(QStringLiteral("Riprendere la partita n. %1?").arg(*record.deal), ResumeCaption)) {
        CountEnd(state, shell, false);
        return;
    }
    PlayOnFrom(state, shell, record, game);
}

void PlayOnFrom(GameState &state, Shell &shell, const GameRecord &record, const ReplayedGame &game)
{
    if (state.flags.DeckDealt)
        return;
    state.record = record;
    state.deal.LastDeal = record.deal;
    state.flags.LastGameLost = false;
    ResetTable(state);
    PlayTable(state, shell, game, record.pileSuit);
    PlayPendingDeals(state, shell);
}

bool AgreeToShowWin(GameState &state, Shell &shell)
{
    if (!state.flags.GameInProgress)
        return false;
    if (!state.record.counted) {
        if (!shell.AskYesNo(QStringLiteral("Se il gioco ti mostra come si vince, la partita conta come persa. "
                                           "Vuoi vederlo?"), ControlCaption))
            return false;
        CountOnce(state, shell, false);
        // Kept as counted at once: however the program ends now, it counts no more.
        KeepNow(state, shell);
    }
    return true;
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
    RunFrom(state, shell, ReplayedGame{});
}

namespace {

void RunFrom(GameState &state, Shell &shell, const ReplayedGame &start)
{
    state.flags.LoopRunning = true;
    StartGameLoop(state, shell, start);
    std::size_t kept = SIZE_MAX;
    KeepRecord(state, shell, kept);

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

        KeepRecord(state, shell, kept);
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
    state.flags.LoopRunning = false;
    shell.ApplyCommandStates();
}

} // namespace

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

void PutOffGame(GameState &state, Shell &shell)
{
    if (!state.flags.GameInProgress || !state.record.deal)
        return;
    KeepNow(state, shell);
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    shell.SetTimerEnabled(GameTimer::Timer2, false);
    CloseGameFlags(state);
}

bool FormClose(GameState &state, Shell &shell)
{
    return !state.flags.GameInProgress || AskToClose(state, shell);
}

void GameExitClick(GameState &state, Shell &shell)
{
    if (state.flags.GameInProgress && !AskToClose(state, shell))
        return;
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    state.flags.GameInProgress = false;
    shell.ReleaseResources();
    shell.CloseMainWindow();
}

void GameWon(GameState &state, Shell &shell)
{
    shell.SetTimerEnabled(GameTimer::Timer1, false);
    WriteGameTimes(state, shell, QStringLiteral("vinto"));
    // A game already counted lost (the game showed the way) is no win of the player's.
    const bool playersWin = !state.record.counted;
    CountEnd(state, shell, true);

    CloseGameFlags(state);
    shell.ResetInfoPanel();
    HideGameButtons(shell);
    shell.ShowNotice(playersWin ? QStringLiteral("Congratulazioni, hai vinto!  Sei FORTE!")
                                : QStringLiteral("Partita vinta, ma era già contata come persa."),
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
    CountEnd(state, shell, false);
    state.flags.LastGameLost = state.record.deal.has_value();

    CloseGameFlags(state);
    HideGameButtons(shell);
    shell.ProcessEvents();
    shell.Pause(200);
    shell.ProcessEvents();
}

} // namespace quintara
