#pragma once
// The menu bar of the main window: its three menus and their commands, with
// access keys, the desktop's usual shortcuts and the hints that the status
// bar shows.

class QAction;
class QMenu;
class QMenuBar;

namespace quintara {

struct MainMenu {
    QMenu *GameMenu1 = nullptr;
    QAction *NewGame1 = nullptr;
    QAction *FinishGame1 = nullptr;
    QAction *ReplayGame1 = nullptr;
    QAction *DealNumber1 = nullptr;
    QAction *GameStats1 = nullptr;
    QAction *GamePref1 = nullptr;
    QAction *GameExit1 = nullptr;
    QMenu *MoveMenu1 = nullptr;
    QAction *MoveUndo1 = nullptr;
    QAction *MoveShow1 = nullptr;
    QAction *MoveHint1 = nullptr;
    QAction *MoveWinnable1 = nullptr;
    QAction *MoveWhereLost1 = nullptr;
    QAction *MoveShowWin1 = nullptr;
    QMenu *HelpMenu1 = nullptr;
    QAction *HelpAbout1 = nullptr;
    QAction *HelpDate = nullptr;
};

MainMenu BuildMainMenu(QMenuBar *bar);

} // namespace quintara
