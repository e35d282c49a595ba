#pragma once
// The one narrow door between the game's logic and the desktop. The main
// window implements it; tests implement a recording fake that answers the
// questions from a script.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/table.h"

namespace quintara {

struct GameRecord;
struct MoveAnalysis;

// The program's name as its window and its messages show it.
inline QString ApplicationTitle() { return QStringLiteral("Quintara - Edizione Speciale - V2.1"); }

// The status panels the game writes to, named for what they mostly show:
// the cards (those left, the one held), the game (its start, the level, the
// place aimed at) and the moves with the clock.
enum StatusPanel : int { CardsPanel = 0, GamePanel = 1, MovesPanel = 2 };

enum class Pointer { Arrow, Hourglass, LargeUp, LargeDown };
enum class NoticeIcon { None, Information, Stop };

// On whose behalf a repaint happens: only BitBtn1 leaves the side picture alone.
enum class PaintSender { Window, BitBtn1, MainMenu1, MoveUndo1, MoveShow1, ShowBtn1 };

// The commands whose enabled state follows the game flags, and the buttons
// beside the table that a game shows and hides.
enum class Button { UndoBtn1, ShowBtn1 };
enum class GameTimer { Timer1, Timer2 };

class Shell {
public:
    virtual ~Shell() = default;

    virtual void SetStatusText(int panel, const QString &text) = 0;
    virtual void ShowNotice(const QString &text, const QString &caption, NoticeIcon icon) = 0;
    // A modal Yes/No question; true only for Yes.
    virtual bool AskYesNo(const QString &text, const QString &caption) = 0;
    // A modal question with buttons of its own, the first the default;
    // returns the index of the one chosen, -1 for a box closed otherwise.
    virtual int AskChoice(const QString &text, const QString &caption, const QStringList &choices) = 0;

    virtual void SetPointer(Pointer pointer) = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;

    virtual void Repaint(PaintSender sender) = 0;
    // Draws the held card highlighted at once, on the table picture and the window.
    virtual void DrawHeldCard(int x, int y, CardCode card) = 0;
    virtual void FlyCard(CardCode card, int fromX, int fromY, int toX, int toY) = 0;
    virtual void ResetInfoPanel() = 0;
    virtual void ClearDetailsPanel(bool copyToWindow) = 0;
    virtual void RefreshSidePicture() = 0;
    // Draws the counted moves into the panel under the tableau and shows it.
    virtual void ShowAnalysis(const MoveAnalysis &analysis) = 0;

    // Enabled states of the game's commands, copied from the flags.
    virtual void ApplyCommandStates() = 0;
    virtual void SetButtonVisible(Button button, bool visible) = 0;
    virtual void SetButtonEnabled(Button button, bool enabled) = 0;
    virtual void SetTimerEnabled(GameTimer timer, bool enabled) = 0;
    virtual void ShowStatisticsDialog() = 0;
    // Writes the five stored statistics; a failure is told to the player there.
    virtual void SaveStatistics() = 0;
    // Keeps the game's record on the disk, so that it outlives the program
    // however the program ends; the newest record wins.
    virtual void KeepGame(const GameRecord &record) = 0;
    // The game has ended and been counted: no game is kept any more.
    virtual void DropKeptGame() = 0;
    // "Dove ho sbagliato?" on the game just lost, once its loop has returned.
    virtual void ExplainLoss() = 0;
    // Lets go of the off-screen pictures and the card module, then closes the window.
    virtual void ReleaseResources() = 0;
    virtual void CloseMainWindow() = 0;

    // Handles what is pending; with `wait`, first sleeps until something arrives.
    virtual void ProcessEvents(bool wait = false) = 0;
    virtual void Pause(int milliseconds) = 0;
    virtual QDateTime Now() = 0;
};

} // namespace quintara
