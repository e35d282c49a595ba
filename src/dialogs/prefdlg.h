#pragma once
// The preferences dialog: display options, the side picture, the suit order
// of the piles with the column spacing, and the speed of the card flight.
// Each tab is confirmed with the one OK button and stores only its own
// values; the dialog then says how it went in its status bar and moves on to
// the next tab by itself a moment later. It is modeless: the game goes on
// behind it.

#include <cstdint>
#include <functional>

#include <QDialog>
#include <QPalette>
#include <QTimer>

#include "dialogs/prefrules.h"
#include "dialogs/prompts.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QStatusBar;
class QTabWidget;

namespace quintara {

struct GameState;
class SettingsStore;
struct StoreReport;

class TPrefDlg1 : public QDialog {
    Q_OBJECT
public:
    // `state` and `store` are the main window's; the dialog changes the
    // settings in `state` and writes them through `store`.
    TPrefDlg1(GameState &state, SettingsStore &store, QWidget *parent = nullptr);
    ~TPrefDlg1() override;

    // Message boxes, the blocking pauses and the look at pending events that
    // comes before a long pause; tests put their own in place.
    void SetPrompts(Prompts prompts);
    void SetPause(std::function<void(int milliseconds)> pause);
    void SetProcessEvents(std::function<void()> processEvents);

    QString StatusText() const;
    const QTimer &PageTimer() const { return Timer1; }

    // How long Timer1 waits after OK, and whether its tick moves on a tab.
    std::int32_t PageDelay = 500;
    bool PageDone = false;
    SuitPresses Presses;

    // The dialog's events, named after the controls they belong to.
    void OnPrefAct();
    void OnPageChange(int page);
    void RadioButton1Click();
    void RadioButton2Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void Edit1Enter();
    void Edit1Exit();
    void SuitButtonClick(int button);
    void TabSheet3Enter();
    void TabSheet3Exit();
    void Edit2Enter();
    void UpDown1Click();
    void TabSheet4Enter();
    void TabSheet4Exit();
    void OnBtn1Click();
    void Timer1Timer();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildDisplayTab();
    void BuildPictureTab();
    void BuildSuitTab();
    void BuildSpeedTab();
    void FocusMoved(QWidget *old, QWidget *now);

    // What OK on a tab comes to: on with the tab cycle, or stay on the tab
    // after a wrong entry; nothing more when a write failed.
    enum class Outcome { Done, Stay, WriteFailed };
    Outcome StoreDisplayOptions();
    Outcome StoreSuitOrderAndSpacing();
    Outcome StoreSpeed();
    void ClearPictureSelection();
    // A wrong suit order or spacing: `marked` turns yellow, the player is
    // told, and the dialog holds still long enough for it to be read.
    void RefuseSuitEntry(QWidget *marked, QPalette::ColorRole role);

    void SetStatus(const QString &text);
    void ShowError(const QString &text, const QString &caption);
    // False, after telling the player, when the store could not write.
    bool Written(const StoreReport &report);

    GameState &State;
    SettingsStore &Store;
    Prompts Ask;
    std::function<void(int)> Pause;
    std::function<void()> ProcessEvents;
    PromptActivation Activation;
    // Shown but not yet activated.
    bool ActivationDue = false;
    // The field that just got the focus; its entry waits for its tab's.
    QWidget *EnteredField = nullptr;

    QTabWidget *PageControl1;
    QWidget *TabSheet3 = nullptr;
    QWidget *TabSheet4 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QSlider *TrackBar1 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QPushButton *Button1;
    QStatusBar *StatusBar1;
    QLabel *StatusPanel;
    QTimer Timer1;
};

} // namespace quintara
