#include <QTest>

#include <memory>

#include "core/deal.h"
#include "core/gameflow.h"
#include "core/gamestate.h"
#include "moves/playermove.h"
#include "support/fakeshell.h"
#include "support/tablebuilder.h"

using namespace quintara;
using namespace quintara::test;

namespace {

// Plays the game loop with `script` run at every pass (pass number from 1);
// after `maxPasses` the game is finished as a player would, so no test hangs.
void PlayLoop(GameState &state, FakeShell &shell, std::function<void(int pass, bool wait)> script,
              int maxPasses = 50)
{
    auto pass = std::make_shared<int>(0);
    shell.onProcessEvents = [&state, &shell, script, maxPasses, pass](bool wait) {
        ++*pass;
        if (script)
            script(*pass, wait);
        if (*pass >= maxPasses && state.flags.GameInProgress) {
            shell.answers.push_front(true);
            FinishGame1Click(state, shell);
        }
    };
}

// A position with every free cell full, no empty column and no move at all.
void DeadPosition(GameState &state)
{
    const char *cells[] = {"Rc", "Rq", "Rp", "Rf"};
    for (int i = 0; i < CellCount; ++i)
        SetCell(state, i, cells[i]);
    const char *columns[] = {"5c", "5q", "5p", "5f", "9c", "9q", "9p", "9f"};
    for (int c = 0; c < ColumnCount; ++c)
        SetColumn(state, c, {columns[c]});
}

GameState FreshState()
{
    GameState state = MakeState();
    InitialiseGame(state);
    return state;
}

ColumnArray DealtColumns(std::uint32_t seed)
{
    GameState state = MakeState();
    ShuffleAndDeal(state, seed);
    return state.table.Columns;
}

// The first deal with an ace on top of a column, which would go home at the
// first pass if nothing held it.
std::uint32_t SeedWithAceOnTop()
{
    for (std::uint32_t seed = 0;; ++seed) {
        const ColumnArray columns = DealtColumns(seed);
        for (const TableColumn &column : columns)
            if (Rank(column.Card[TopSlot(column).value()]) == 0)
                return seed;
    }
}

} // namespace

class TestGameFlow : public QObject {
    Q_OBJECT
private slots:
    void initialState()
    {
        GameState state = MakeState();
        state.Settings.SpeedSlider = 3;
        state.Settings.PileSuit = {3, 2, 1, 0};
        state.Statistics.RunWon = 4;
        InitialiseGame(state);
        QVERIFY(state.flags.AutoMoveHold);
        QVERIFY(!state.flags.GameInProgress);
        QCOMPARE(state.Settings.FlightDelay, 8);
        QCOMPARE(state.deal.EmptyPileImage, (std::array<std::int32_t, 4>{56, 55, 54, 53}));
        QCOMPARE(state.deal.GamePileSuit, (PileSuitOrder{3, 2, 1, 0}));
        QCOMPARE(state.Statistics.RunWon, 0);
    }

    void newGameDealsAndCountsTheCards()
    {
        GameState state = FreshState();
        FakeShell shell;
        QString countAfterFirstPass;
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass == 2)
                countAfterFirstPass = shell.status[0];
        }, 3);
        NewGame1Click(state, shell, 0);
        QCOMPARE(countAfterFirstPass, QStringLiteral(" Numero di carte rimaste:  52"));
        QVERIFY(shell.status[1].startsWith(QStringLiteral("Gioco finito alle ore ")));
        QVERIFY(shell.buttonVisible[0] == false);
    }

    // A game won or played before leaves its level, its released automatic
    // moves and its pile order behind; the next game starts afresh.
    void newGameStartsAfresh()
    {
        GameState state = FreshState();
        FakeShell shell;
        state.table.FoundationLevel = 13;   // as a won game leaves it
        state.flags.AutoMoveHold = false;   // as any game with a move leaves it
        state.Settings.PileSuit = {2, 0, 3, 1};   // chosen since the last deal
        bool looked = false;
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass == 4) {
                looked = true;
                QCOMPARE(state.table.CardsLeft, 52);   // the ace on top waits for the first move
                QCOMPARE(state.deal.GamePileSuit, (PileSuitOrder{2, 0, 3, 1}));
                QCOMPARE(state.deal.EmptyPileImage, (std::array<std::int32_t, 4>{55, 53, 56, 54}));
            }
        }, 5);
        NewGame1Click(state, shell, SeedWithAceOnTop());
        QVERIFY(looked);   // the game was not over before its first pass
        QCOMPARE(state.Statistics.GamesWon, 0);
        QCOMPARE(state.Statistics.GamesLost, 1);
    }

    // "Rigioca la partita" and "Partita numero...": idle, the deal comes at
    // once; during a game, after the question of "Finisci il gioco", whose No
    // keeps the game and whose Yes counts it lost and deals the number next.
    void dealingByNumber()
    {
        GameState state = FreshState();
        FakeShell shell;
        std::vector<std::uint32_t> dealsSeen;
        PlayLoop(state, shell, [&](int pass, bool) {
            if (dealsSeen.empty() || dealsSeen.back() != state.deal.LastDeal.value()) {
                dealsSeen.push_back(state.deal.LastDeal.value());
                QCOMPARE(state.table.Columns, DealtColumns(dealsSeen.back()));
            }
            if (pass == 2) {
                shell.answers = {false};
                PlayDeal(state, shell, 9);
                QVERIFY(state.flags.GameInProgress);
                QCOMPARE(state.deal.LastDeal, std::optional<std::uint32_t>(7));
            }
            if (pass == 3) {
                shell.answers = {true};
                PlayDeal(state, shell, 4294967295u);
                QVERIFY(!state.flags.GameInProgress);
            }
        }, 6);
        PlayDeal(state, shell, 7);
        QCOMPARE(dealsSeen, (std::vector<std::uint32_t>{7, 4294967295u}));
        QCOMPARE(shell.questions, QStringList(3, QStringLiteral("Vuoi proprio finire il gioco in corso?")));
        QCOMPARE(state.Statistics.GamesLost, 2);
        QCOMPARE(shell.statisticsShown, 0);
        QVERIFY(!state.deal.NextDeal);
    }

    void secondNewGameIsRefused()
    {
        GameState state = FreshState();
        FakeShell shell;
        ColumnArray columnsDuringGame;
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass == 2) {
                columnsDuringGame = state.table.Columns;
                NewGame1Click(state, shell, 99);
                QCOMPARE(state.table.Columns, columnsDuringGame);
            }
        }, 4);
        NewGame1Click(state, shell, 5);
        QCOMPARE(shell.notices.size(), std::size_t(1));
        QCOMPARE(shell.notices[0].text, QStringLiteral("Il gioco attuale non è ancora finito."));
        QCOMPARE(shell.notices[0].caption, QStringLiteral(" Selezione del nuovo gioco"));
    }

    void finishingCountsALoss()
    {
        GameState state = FreshState();
        FakeShell shell;
        // No: the game goes on.
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass == 2) {
                shell.answers.push_back(false);
                FinishGame1Click(state, shell);
                QVERIFY(state.flags.GameInProgress);
            }
        }, 5);
        NewGame1Click(state, shell, 1);
        QCOMPARE(shell.questions.first(), QStringLiteral("Vuoi proprio finire il gioco in corso?"));
        NewGame1Click(state, shell, 2);   // a second game, finished as well
        QCOMPARE(state.Statistics.GamesLost, 2);
        QCOMPARE(state.Statistics.RunLost, 2);
        QCOMPARE(state.Statistics.StreakType, 2);
        QCOMPARE(state.Statistics.StreakLosses, 2);
        QCOMPARE(state.Statistics.StreakWins, 0);
        QCOMPARE(shell.statisticsSaved, 2);
        QCOMPARE(shell.statisticsShown, 0);
        QCOMPARE(CountEmptyColumns(state.table), 8);
        QVERIFY(!state.flags.FinishEnabled && !state.flags.UndoEnabled && !state.flags.ShowMovesEnabled);
        QVERIFY(!state.flags.DeckDealt);
        QVERIFY(!shell.timerEnabled[0] && !shell.timerEnabled[1]);
    }

    void clearingTheTable()
    {
        GameState state = FreshState();
        FakeShell shell;
        BitBtn1Click(state, shell);   // no game: only clears
        QVERIFY(shell.questions.isEmpty());
        QVERIFY(state.paint.FullRepaint);
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass == 2)
                BitBtn1Click(state, shell);
        });
        NewGame1Click(state, shell, 3);
        QCOMPARE(shell.questions, QStringList{QStringLiteral("Finisci il gioco in corso?")});
        QCOMPARE(state.Statistics.GamesLost, 1);
        QCOMPARE(CountEmptyColumns(state.table), 8);
    }

    void winningAfterLosses()
    {
        GameState state = FreshState();
        state.Statistics = {2, 3, 2, 0, 3, 0, 0};
        FakeShell shell;
        state.flags.GameInProgress = state.flags.DeckDealt = true;
        state.flags.GameStartTime = shell.now;
        shell.now = shell.now.addSecs(75);
        GameWon(state, shell);
        QCOMPARE(state.Statistics.GamesWon, 3);
        QCOMPARE(state.Statistics.StreakType, 1);
        QCOMPARE(state.Statistics.StreakWins, 1);
        QCOMPARE(state.Statistics.StreakLosses, 0);
        QCOMPARE(state.Statistics.RunWon, 1);
        QCOMPARE(shell.status[2], QStringLiteral("Tempo di gioco: minuti 01 : 15 secondi"));
        QVERIFY(shell.status[1].startsWith(QStringLiteral("Gioco vinto alle ore ")));
        QVERIFY(shell.status[0].startsWith(QStringLiteral("Gioco iniziato alle ore ")));
        QCOMPARE(shell.notices.back().text, QStringLiteral("Congratulazioni, hai vinto!  Sei FORTE!"));
        QCOMPARE(shell.notices.back().caption, QStringLiteral(" Risultato del gioco"));
        QCOMPARE(shell.statisticsSaved, 1);
        QCOMPARE(shell.statisticsShown, 1);
        QVERIFY(!state.flags.GameInProgress && !state.flags.DeckDealt);
    }

    void gameClock()
    {
        GameState state = FreshState();
        FakeShell shell;
        state.flags.GameInProgress = true;
        state.flags.GameStartTime = shell.now;
        shell.now = shell.now.addSecs(3600 + 125);   // minutes within the hour only
        Timer1Timer(state, shell);
        QCOMPARE(shell.status[2], QStringLiteral("Tempo di gioco: minuti 02 : 05 secondi"));
        QVERIFY(shell.timerEnabled[0]);

        state.Settings.TimeDisplay = false;
        shell.status[2].clear();
        Timer1Timer(state, shell);
        QVERIFY(shell.status[2].isEmpty());
        QVERIFY(!shell.timerEnabled[0]);
    }

    void preferencesRestartTheClock()
    {
        GameState state = FreshState();
        state.Settings.TimeDisplay = false;
        FakeShell shell;
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass == 2) {
                Timer1Timer(state, shell);
                QVERIFY(!shell.timerEnabled[0]);
                state.Settings.TimeDisplay = true;
                state.Settings.PrefsChanged = true;
            }
            if (pass == 3) {
                QVERIFY(shell.timerEnabled[0]);
                QVERIFY(shell.status[1].startsWith(QStringLiteral(" Gioco iniziato alle ore ")));
                QVERIFY(!state.Settings.PrefsChanged);
            }
        }, 4);
        NewGame1Click(state, shell, 4);
    }

    void closingTheWindow()
    {
        GameState state = FreshState();
        FakeShell shell;
        QVERIFY(FormClose(state, shell));   // no game: closes without asking
        QVERIFY(shell.questions.isEmpty());
        bool closedDuringGame = false;
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass == 2) {
                shell.choices = {1};
                QVERIFY(!FormClose(state, shell));
                QVERIFY(state.flags.GameInProgress);
                shell.choices = {0};
                closedDuringGame = FormClose(state, shell);
            }
        });
        NewGame1Click(state, shell, 6);
        QVERIFY(closedDuringGame);
        QCOMPARE(shell.questions.last(), QStringLiteral("Finisci il gioco ed esci?"));
        QCOMPARE(state.Statistics.GamesLost, 1);
        QCOMPARE(shell.statisticsSaved, 1);
    }

    void exitReleasesAndAsksOnce()
    {
        GameState state = FreshState();
        FakeShell shell;
        int repaintsAfterRelease = 0;
        shell.onRepaint = [&](PaintSender) { repaintsAfterRelease += shell.released ? 1 : 0; };
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass == 2) {
                // Exiting while a card is due home: it must not fly on what was released.
                SetColumn(state, 0, {"9c", "Ac"});
                state.flags.AutoMoveHold = false;
                GameExitClick(state, shell);
            }
        });
        NewGame1Click(state, shell, 8);
        QVERIFY(shell.released);
        QVERIFY(shell.closed);
        QCOMPARE(shell.questions.size(), 1);
        QCOMPARE(state.Statistics.GamesLost, 1);
        QVERIFY(FormClose(state, shell));   // the close that follows asks nothing
        QCOMPARE(repaintsAfterRelease, 0);
        QVERIFY(shell.flights.empty());
    }

    void loopSleepsWhenNothingMoves()
    {
        GameState state = FreshState();
        FakeShell shell;
        std::vector<bool> waits;
        PlayLoop(state, shell, [&](int pass, bool wait) {
            waits.push_back(wait);
            if (pass == 2) {
                // As if the player had moved: the next passes send the aces home one by one.
                for (int c = 2; c < ColumnCount; ++c)
                    SetColumn(state, c, {"Rf"});
                SetColumn(state, 0, {"9c", "Ac"});
                SetColumn(state, 1, {"9q", "Aq"});
                state.flags.AutoMoveHold = false;
            }
        }, 6);
        NewGame1Click(state, shell, 9);
        waits.resize(6);   // the end of the game handles its events too
        QCOMPARE(waits, (std::vector<bool>{false, true, false, false, true, true}));
        QCOMPARE(state.Statistics.GamesLost, 1);
    }

    void noMovesLeftEndsTheGame()
    {
        GameState state = FreshState();
        FakeShell shell;
        DeadPosition(state);
        state.flags.GameInProgress = state.flags.DeckDealt = true;
        // A new deal asked for while the game is being ended comes after that end.
        int nested = 0;
        shell.onProcessEvents = [&](bool) {
            nested += state.flags.DeckDealt && state.deal.LastDeal == 77u ? 1 : 0;
            if (!state.flags.GameInProgress && !state.deal.LastDeal)
                NewGame1Click(state, shell, 77);
        };
        RunGame(state, shell);
        QCOMPARE(nested, 0);
        QCOMPARE(state.deal.NextDeal, std::optional<std::uint32_t>(77));
        QVERIFY(!state.flags.GameInProgress);
        QCOMPARE(shell.notices.back().text, QStringLiteral(" Nessuna mossa rimasta. Il gioco è finito."));
        QCOMPARE(shell.notices.back().caption, QStringLiteral(" Controllo del gioco"));
        QCOMPARE(state.Statistics.GamesLost, 1);
        QCOMPARE(shell.statisticsShown, 1);
        QVERIFY(state.flags.ShowMoves);   // the verdict shows in the panel
        QCOMPARE(CountEmptyColumns(state.table), 8);
    }

    // A table given from elsewhere keeps its cards home and its level, and a
    // move made through the player's entry point wins the game on it.
    void playingOnFromAGivenTable()
    {
        GameState given = MakeState();
        const char *tops[] = {"Dc", "Rq", "Rp", "Rf"};
        for (int p = 0; p < PileCount; ++p)
            SetPile(given, p, tops[p]);
        SetColumn(given, 3, {"Rc"});
        given.table.FoundationLevel = 12;

        GameState state = FreshState();
        FakeShell shell;
        PlayLoop(state, shell, [&](int pass, bool) {
            if (pass != 1)
                return;
            QCOMPARE(state.table.CardsHome, given.table.CardsHome);
            QCOMPARE(state.table.FoundationLevel, 12);
            QCOMPARE(PlayerMove(state, shell, Place::Column, 3, Place::Pile, 1), MoveOutcome::PutBack);
            QCOMPARE(PlayerMove(state, shell, Place::Column, 3, Place::Pile, 0), MoveOutcome::Moved);
        });
        ReplayedGame start;
        start.table = given.table;
        PlayTable(state, shell, start, DefaultPileSuit);
        QCOMPARE(state.Statistics.GamesWon, 1);
        QCOMPARE(shell.notices.back().text, QStringLiteral("Congratulazioni, hai vinto!  Sei FORTE!"));
    }

    void timer2RefreshesOnlyDuringAnalysis()
    {
        GameState state = FreshState();
        FakeShell shell;
        Timer2Timer(state, shell);
        QVERIFY(!shell.timerEnabled[1]);
        state.flags.GameInProgress = state.flags.AnalysisOn = state.flags.ShowMoves = true;
        Timer2Timer(state, shell);
        QVERIFY(shell.timerEnabled[1]);
        QVERIFY(state.panels.PanelNeedsRedraw);
    }
};

QTEST_APPLESS_MAIN(TestGameFlow)
#include "test_gameflow.moc"
