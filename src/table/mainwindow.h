#pragma once
// The main window: the game table with its menus, buttons and status bar.
// It owns the game's state for the whole run and is the game's desktop: the
// logic reaches the screen, the pointer, the timers and the dialogs through
// the Shell it implements.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QMainWindow>
#include <QTimer>

#include "core/gamestate.h"
#include "core/shell.h"
#include "dialogs/prompts.h"
#include "moves/keyboard.h"
#include "moves/placenames.h"
#include "store/store.h"
#include "table/cardimages.h"
#include "table/menus.h"
#include "table/painter.h"
#include "table/sidepicture.h"

class QKeyEvent;
class QPushButton;

namespace quintara {

class CardPainter;
class CountObserver;
class KeptGame;
class DealCommands;
class DetailsPanel;
class HintCommands;
class StatusPanels;
class TableView;

// The dialogs the window opens; created after the window, in a fixed order.
struct MainDialogs {
    QDialog *CalendarForm = nullptr;
    QDialog *Stats1Dlg = nullptr;
    QDialog *PrefDlg1 = nullptr;
    QDialog *AboutBox = nullptr;
};

class TForm1 : public QMainWindow, public Shell {
    Q_OBJECT
public:
    // `cardLibrary` names the card module to load, beside the program by default.
    explicit TForm1(SettingsStore store = SettingsStore(), QString cardLibrary = QString::fromLatin1(CardLibraryFile),
                    QWidget *parent = nullptr);
    ~TForm1() override;

    GameState &State() { return state; }
    SettingsStore &Store() { return store; }
    void SetDialogs(const MainDialogs &dialogs);
    TableView *View() const { return view; }
    const MainMenu &Menu() const { return menu; }
    QString StatusText(int panel) const;
    TablePainter &Painter() { return painter; }
    CardPainter *Cards() const { return cards.get(); }
    DealCommands &Deals() const { return *deals; }
    HintCommands &Hints() const { return *hints; }

    // Commands of the menus and buttons.
    void NewGame1Click();
    void GameStats1Click();
    void Pref1DlgClick();
    void HelpAboutClick();
    void ShowDateClick();
    // A game an earlier run left behind is offered back, or set aside if damaged.
    void OfferKeptGame();
    KeptGame *Kept() const { return kept.get(); }

    // Shell
    void SetStatusText(int panel, const QString &text) override;
    void ShowNotice(const QString &text, const QString &caption, NoticeIcon icon) override;
    bool AskYesNo(const QString &text, const QString &caption) override;
    int AskChoice(const QString &text, const QString &caption, const QStringList &choices) override;
    void SetPointer(Pointer pointer) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void Repaint(PaintSender sender) override;
    void DrawHeldCard(int x, int y, CardCode card) override;
    void FlyCard(CardCode card, int fromX, int fromY, int toX, int toY) override;
    void ResetInfoPanel() override;
    void ClearDetailsPanel(bool copyToWindow) override;
    void RefreshSidePicture() override;
    void ShowAnalysis(const MoveAnalysis &analysis) override;
    void ApplyCommandStates() override;
    void SetButtonVisible(Button button, bool visible) override;
    void SetButtonEnabled(Button button, bool enabled) override;
    void SetTimerEnabled(GameTimer timer, bool enabled) override;
    void ShowStatisticsDialog() override;
    void SaveStatistics() override;
    void KeepGame(const GameRecord &record) override;
    void DropKeptGame() override;
    void ExplainLoss() override;
    void ReleaseResources() override;
    void CloseMainWindow() override;
    void ProcessEvents(bool wait) override;
    void Pause(int milliseconds) override;
    QDateTime Now() override;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormCreate();
    void CreateComponents();
    void ComputeTableLayout(int clientWidth, int clientHeight);
    void ApplyLayout(int clientWidth, int clientHeight);
    void FollowClientArea();
    // The window's smallest size: the one its table needs.
    void KeepTableWhole();
    // New buffers for the layout at `scale`, and everything drawn again.
    void Rescale(qreal scale);
    void MakeBuffers(qreal scale);
    // The drag pointers at the screen's detail.
    void MakePointers(qreal scale);
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void AppIdle();
    void IdleWork();
    void EndLostHold();
    // Runs `work` (painting, a change of size) with the notices it gives
    // held until the event is over: a modal box's own event loop in the
    // middle of it would run the window's events on a half-made change.
    void WithoutModals(const std::function<void()> &work);
    void ShowHeldNotices();
    // The window to draw on over `area`, outside the buffers: show the area
    // when drawn. The next repaint puts it right with the buffers' copies.
    QImage &DrawOnWindow(const QRegion &area);
    // Shows `area` of the panel under the tableau on the window.
    void ShowInfoPanel(const QRegion &area);
    // Paints the table; returns the part of the window it changed.
    QRegion PaintTable(PaintSender sender);
    // The first picture straight on `picture`, before the buffers are made;
    // false when the table needs them at once.
    bool PaintFirstPicture(QImage &picture);
    // Makes the buffers and the canvas the first picture went without.
    void CatchUpWithFirstPicture();
    QRect CardArea(int x, int y) const;
    void ConnectCommands();
    void ShowReport(const StoreReport &report);
    QPushButton *ButtonFor(Button button) const;
    // The move-details narration the pointer hands to the column count.
    CountObserver *Narrator() const;
    // The keys of the play on the table; false for any other key.
    bool PlayKey(const QKeyEvent *event);
    // A click hides the focus mark the keys showed.
    void HideFocusMark();
    // Tells a screen reader of the places whose names a paint changed.
    void TellChangedPlaces();
    // With the preference "La carta segue il puntatore": a left press that
    // holds a card starts to follow the pointer, each motion with the button
    // down draws the card under it, and the release takes the card away.
    void StartFollowing(QPoint press);
    void FollowPointer(QPoint pointer);
    // Where the card was last drawn, if it was.
    std::optional<QRect> StopFollowing();
    // A card let go under the pointer that stayed where it was flies back.
    void FlyBackIfRefused(const MoveSource &held, QPoint from);

    GameState state;
    KeyFocus keyFocus;
    // The places' names as a screen reader last heard them.
    std::array<QString, PlaceCount> placeNames;
    SettingsStore store;
    std::unique_ptr<KeptGame> kept;
    bool keepFailureTold = false;
    QString cardLibrary;
    std::unique_ptr<CardPainter> cards;
    TablePainter painter;
    std::unique_ptr<DetailsPanel> details;
    TableView *view = nullptr;
    std::unique_ptr<StatusPanels> panels;
    DealCommands *deals = nullptr;
    std::unique_ptr<HintCommands> hints;
    MainMenu menu;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *UndoBtn1 = nullptr;
    QPushButton *ShowBtn1 = nullptr;
    QTimer Timer1;
    QTimer Timer2;
    QCursor largeUp;
    QCursor largeDown;
    QImage SidePictureBitmap;
    SidePictureFile sidePictureFile;
    MainDialogs dialogs;
    // Coming back from one of the window's own message boxes does not
    // refresh the side picture again: with a lost picture file, that would
    // bring the same box back for ever.
    PromptActivation activation;
    // The client area the layout was computed from.
    QSize laidOut;
    bool shown = false;
    // A card is in the player's hand, as far as the pointer is concerned.
    bool holding = false;
    bool idleWorkPosted = false;
    // The first picture went straight to the window: the buffers and the
    // canvas are still to be made.
    bool buffersDue = false;
    // What the game writes in the status bar is told to a screen reader.
    bool announceStatus = true;
    // Where the held card lies on the table, as drawn when it was picked up.
    QPoint heldAt;
    struct Following {
        bool on = false;
        bool drawn = false;
        QPoint grab;   // the pointer's place on the card
        QRect at;      // where the card is drawn
    } following;
    // The client area has changed size since the buffers were made.
    bool rescaleDue = false;
    bool resourcesReleased = false;
    int modalsBarred = 0;
    struct HeldNotice {
        QString text;
        QString caption;
        NoticeIcon icon;
    };
    std::vector<HeldNotice> heldNotices;
};

} // namespace quintara
