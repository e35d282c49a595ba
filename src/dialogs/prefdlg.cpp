#include "dialogs/prefdlg.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>

#include "core/gamestate.h"
#include "dialogs/dialogparts.h"
#include "dialogs/prefwidgets.h"
#include "store/store.h"

namespace quintara {

namespace {

const QString DisplayStatus = QStringLiteral(" Settaggio attuale delle opzioni di visualizzazione");
const QString PictureErrorCaption = QStringLiteral(" Errore di caricamento dell'immagine");

enum Page { DisplayPage, PicturePage, SuitPage, SpeedPage };

constexpr int SideAreaLabelWidth = 276;

// The two status-bar choices exclude each other, but a stored state may leave
// both unchecked, which Qt's grouping refuses. The grouping stays on, so a
// screen reader hears radio buttons (without it Qt calls them check boxes),
// and is lifted only for the moment a button is cleared.
class DisplayRadio : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

    static void Show(QRadioButton *button, bool checked)
    {
        button->setAutoExclusive(checked);
        button->setChecked(checked);
        button->setAutoExclusive(true);
    }
};

void PlaceFrame(QWidget *page, const char *name, int left, int top, int width, int height)
{
    auto *frame = new QGroupBox(page);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(left, top, width, height);
}

template <typename Button>
Button *PlaceButton(QWidget *page, const char *name, const QString &text, int left, int top)
{
    auto *button = new Button(text, page);
    button->setObjectName(QString::fromLatin1(name));
    button->move(left, top);
    button->adjustSize();
    return button;
}

} // namespace

TPrefDlg1::TPrefDlg1(GameState &state, SettingsStore &store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      State(state),
      Store(store),
      Ask(MessageBoxPrompts(this)),
      Pause([](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }),
      // Only so the marks and the status text are on the screen during the
      // pause that follows; the player's input waits until after it.
      ProcessEvents([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); })
{
    setObjectName(QStringLiteral("PrefDlg1"));
    setWindowTitle(QStringLiteral(" Preferenze"));
    setFixedSize(466, 287);
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 0, 467, 265);
    BuildDisplayTab();
    BuildPictureTab();
    BuildSuitTab();
    BuildSpeedTab();
    connect(PageControl1, &QTabWidget::currentChanged, this, &TPrefDlg1::OnPageChange);

    // Over the lower part of the tab pages, below their controls.
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(202, 217, 61, 29);
    Button1->setDefault(true);
    Button1->raise();
    connect(Button1, &QPushButton::clicked, this, &TPrefDlg1::OnBtn1Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, height() - 22, width(), 22);
    StatusPanel = new QLabel(StatusBar1);
    StatusPanel->setTextFormat(Qt::PlainText);
    QFont regular = StatusPanel->font();
    regular.setBold(false);
    StatusPanel->setFont(regular);
    StatusBar1->addWidget(StatusPanel, 1);

    // A one-shot: every OK arms it, every tick disarms it.
    connect(&Timer1, &QTimer::timeout, this, &TPrefDlg1::Timer1Timer);
    connect(qApp, &QApplication::focusChanged, this, &TPrefDlg1::FocusMoved);
}

TPrefDlg1::~TPrefDlg1()
{
    // The controls outlive this part of the dialog; the focus leaving them
    // and the tabs going away must not reach it any more.
    disconnect(qApp, nullptr, this, nullptr);
    PageControl1->disconnect(this);
}

void TPrefDlg1::SetPrompts(Prompts prompts)
{
    Ask = std::move(prompts);
}

void TPrefDlg1::SetPause(std::function<void(int)> pause)
{
    Pause = std::move(pause);
}

void TPrefDlg1::SetProcessEvents(std::function<void()> processEvents)
{
    ProcessEvents = std::move(processEvents);
}

QString TPrefDlg1::StatusText() const
{
    return StatusPanel->text();
}

void TPrefDlg1::BuildDisplayTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(page, QStringLiteral("Visualizzazione"));

    PlaceFrame(page, "GroupBox1", 9, 4, 440, 65);
    RadioButton1 = PlaceButton<DisplayRadio>(page, "RadioButton1", QStringLiteral("Mostra il tempo di gioco"), 27, 21);
    RadioButton2 = PlaceButton<DisplayRadio>(page, "RadioButton2",
                                             QStringLiteral("Mostra informazioni sugli spostamenti"), 27, 44);
    PlaceFrame(page, "GroupBox2", 9, 75, 439, 46);
    CheckBox1 = PlaceButton<QCheckBox>(
        page, "CheckBox1",
        QStringLiteral("Mostra i dettagli degli spostamenti ( finché lo spazio lo permette )"), 27, 92);
    PlaceFrame(page, "GroupBox3", 9, 125, 440, 46);
    CheckBox2 = PlaceButton<QCheckBox>(page, "CheckBox2",
                                       QStringLiteral("Mostra l'immagine nella finestra a fianco"), 28, 141);
    // Below the frames, left of the OK button: the tab has no room for a frame more.
    CheckBox3 = PlaceButton<QCheckBox>(page, "CheckBox3", QStringLiteral("La carta segue il puntatore"), 12, 196);

    // Set by the program or clicked, a box runs its handler whenever its
    // state changes; a radio button only when it becomes checked.
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton1Click();
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton2Click();
    });
    connect(CheckBox1, &QCheckBox::toggled, this, &TPrefDlg1::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TPrefDlg1::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::toggled, this, [this](bool on) { State.Settings.CardFollowsPointer = on; });
}

void TPrefDlg1::BuildPictureTab()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(page, QStringLiteral("Percorso dell'immagine"));

    QLabel *label1 = PlaceLabel(page, "Label1", QStringLiteral("Percorso dell'immagine e nome del file:      "), 64, 16);
    Edit1 = new QLineEdit(QStringLiteral("sconosciuto"), page);
    label1->setBuddy(Edit1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(64, 40, 281, Edit1->sizeHint().height());
    Edit1->installEventFilter(this);
    PlaceLabel(page, "Label2", QStringLiteral("Esempio: D:\\Immagini\\bmp\\file01.bmp          "), 64, 71);
    PlaceLabel(page, "Label3",
               QStringLiteral("Dimensioni dell'immagine richieste per la finestra a fianco:  "), 64, 112);
    Label4 = PlaceLabel(page, "Label4",
                        QStringLiteral(" Larghezza immagine = ......,   Altezza = .....  pixels        "), 65, 137);
    Label4->resize(SideAreaLabelWidth, Label4->height());
    SetColour(Label4, QPalette::Window, White);
}

void TPrefDlg1::BuildSpeedTab()
{
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Velocità  "));

    QLabel *label8 = PlaceLabel(TabSheet4, "Label8",
                                QStringLiteral("Controllo della velocità per le mosse automatiche delle carte "), 40, 16);
    PlaceLabel(TabSheet4, "Label9", QStringLiteral("lenta"), 40, 48);
    PlaceLabel(TabSheet4, "Label10", QStringLiteral("veloce"), 133, 48);
    TrackBar1 = new QSlider(Qt::Horizontal, TabSheet4);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setGeometry(32, 72, 150, 45);
    TrackBar1->setRange(SpeedLow, SpeedHigh);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setValue(State.Settings.SpeedSlider);
    label8->setBuddy(TrackBar1);
    PlaceLabel(TabSheet4, "Label11",
               QStringLiteral("Sposta il cursore nella posizione desiderata, poi premi OK. "), 40, 120);
    // The undo's reach goes with the moves' pace: both are how the game plays for you.
    CheckBox4 = PlaceButton<QCheckBox>(TabSheet4, "CheckBox4",
                                       QStringLiteral("Cancella più mosse ( fino alla distribuzione )"), 40, 150);
}

bool TPrefDlg1::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowDeactivate)
        Activation.Deactivated();
    else if (event->type() == QEvent::WindowActivate && Activation.Activated())
        OnPrefAct();
    return handled;
}

void TPrefDlg1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Not every desktop hands the activation to a window as it appears (none
    // does without a window manager). The game relies on it: at start-up the
    // activation tests the side picture's file. So a showing that no
    // activation follows counts as one.
    ActivationDue = true;
    QTimer::singleShot(0, this, [this] {
        if (ActivationDue)
            OnPrefAct();
    });
}

bool TPrefDlg1::eventFilter(QObject *watched, QEvent *event)
{
    const bool in = event->type() == QEvent::FocusIn;
    if (in || event->type() == QEvent::FocusOut) {
        // Only focus that moves between the dialog's controls counts: the
        // window losing and regaining the activation leaves the field alone.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            // A field is entered after the tab around it (FocusMoved), and
            // Qt tells the tab only once the field has its focus.
            if (in)
                EnteredField = static_cast<QWidget *>(watched);
            else if (watched == Edit1)
                Edit1Exit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPrefDlg1::FocusMoved(QWidget *old, QWidget *now)
{
    // The order of a move of the focus: the field left (already told), the
    // tab left, the tab entered, the field entered.
    if (old && now && old->window() == this && now->window() == this) {
        const auto left = [old, now](QWidget *page) { return page->isAncestorOf(old) && !page->isAncestorOf(now); };
        const auto entered = [old, now](QWidget *page) { return !page->isAncestorOf(old) && page->isAncestorOf(now); };
        if (left(TabSheet3))
            TabSheet3Exit();
        if (left(TabSheet4))
            TabSheet4Exit();
        if (entered(TabSheet3))
            TabSheet3Enter();
        if (entered(TabSheet4))
            TabSheet4Enter();
    }
    QWidget *field = std::exchange(EnteredField, nullptr);
    if (field == Edit1)
        Edit1Enter();
    else if (field == Edit2)
        Edit2Enter();
}

void TPrefDlg1::SetStatus(const QString &text)
{
    StatusPanel->setText(text);
}

void TPrefDlg1::ShowError(const QString &text, const QString &caption)
{
    const PromptActivation::Open open(Activation);
    Ask.ShowNotice(text, caption, NoticeIcon::Stop);
}

bool TPrefDlg1::Written(const StoreReport &report)
{
    if (report.Ok())
        return true;
    ShowError(report.Text(), QString::fromLatin1(SettingsErrorCaption));
    return false;
}

void TPrefDlg1::OnPrefAct()
{
    GameSettings &s = State.Settings;
    ActivationDue = false;
    PageControl1->setCurrentIndex(DisplayPage);
    DisplayRadio::Show(RadioButton1, s.TimeDisplay);
    if (s.TimeDisplay)
        s.TransferInfo = false;
    DisplayRadio::Show(RadioButton2, s.TransferInfo);
    CheckBox1->setChecked(s.TransferDetails);
    CheckBox2->setChecked(s.ShowPicture);
    CheckBox3->setChecked(s.CardFollowsPointer);
    SetStatus(DisplayStatus);
}

void TPrefDlg1::OnPageChange(int page)
{
    switch (page) {
    case DisplayPage:
        SetStatus(DisplayStatus);
        break;
    case PicturePage: {
        SetStatus(QStringLiteral(" Definisce il percorso dell'immagine della finestra a fianco"));
        const TableLayout &l = State.Layout;
        Label4->setText(SideAreaText(l.window.ClientWidth - l.window.PlayAreaWidth, l.window.ClientHeight - l.grid.TopStripHeight));
        // Large screens give four-digit sizes, which this desktop's font does
        // not fit into the usual width: the white strip grows with its text.
        Label4->resize(std::max(SideAreaLabelWidth, Label4->sizeHint().width()), Label4->height());
        Edit1->setText(State.Settings.SWBmpPath);
        Edit1->setFocus();
        break;
    }
    case SuitPage:
        TabSheet3Enter();
        break;
    case SpeedPage:
        TabSheet4Enter();
        break;
    default:
        break;
    }
}

void TPrefDlg1::RadioButton1Click()
{
    GameSettings &s = State.Settings;
    s.TimeDisplay = true;
    DisplayRadio::Show(RadioButton1, true);
    s.TransferInfo = false;
    DisplayRadio::Show(RadioButton2, false);
}

void TPrefDlg1::RadioButton2Click()
{
    GameSettings &s = State.Settings;
    s.TransferInfo = true;
    DisplayRadio::Show(RadioButton2, true);
    s.TimeDisplay = false;
    DisplayRadio::Show(RadioButton1, false);
}

void TPrefDlg1::CheckBox1Click()
{
    State.Settings.TransferDetails = CheckBox1->isChecked();
}

void TPrefDlg1::CheckBox2Click()
{
    GameSettings &s = State.Settings;
    s.ShowPicture = CheckBox2->isChecked();
    if (!s.ShowPicture)
        return;
    if (PictureFileReadable(s.SWBmpPath)) {
        s.PictureFileOk = true;
        return;
    }
    ShowError(QStringLiteral("Per la selezione occorre il percorso corretto del nome dell'immagine.\n"
                             "Guarda la pagina di informazione del percorso dell'immagine."),
              PictureErrorCaption);
    SetStatus(QStringLiteral(" Selezione annullata a causa di un errore di caricamento dell'immagine."));
    s.PictureFileOk = false;
    s.ShowPicture = false;
    CheckBox2->setChecked(false);
}

void TPrefDlg1::Edit1Enter()
{
    SetStatus(QStringLiteral(" Correggi o conferma il percorso dell'immagine della finestra a fianco"));
    // A path just refused stays as typed, for the player to correct.
    if (!Edit1->isModified())
        Edit1->setText(State.Settings.SWBmpPath);
}

void TPrefDlg1::ClearPictureSelection()
{
    GameSettings &s = State.Settings;
    s.PictureFileOk = false;
    s.ShowPicture = false;
    CheckBox2->setChecked(false);
}

void TPrefDlg1::Edit1Exit()
{
    GameSettings &s = State.Settings;
    PageDone = true;
    if (!Edit1->isModified()) {
        PageDelay = 1600;
        SetStatus(QStringLiteral(" Nessuna modifica memorizzata"));
        return;
    }
    PageDelay = 2000;
    const QString path = Edit1->text();
    const bool cleared = path.isEmpty();
    if (cleared) {
        ClearPictureSelection();
    } else if (PictureFileReadable(path)) {
        s.PictureFileOk = true;
    } else {
        // The path stays in the field as typed, for the player to correct.
        ShowError(QStringLiteral("Impossibile caricare un'immagine da questo percorso."), PictureErrorCaption);
        SetStatus(QStringLiteral(" Nome scorretto del percorso dell'immagine. Selezione azzerata."));
        ClearPictureSelection();
        return;
    }
    s.SWBmpPath = path;
    Edit1->setModified(false);
    if (!Written(Store.StorePicturePath(s)))
        return;
    SetStatus(cleared ? QStringLiteral(" Memorizzato il testo modificato nel registro. Selezione azzerata.")
                      : QStringLiteral(" Memorizzato il testo modificato nel registro."));
}

void TPrefDlg1::TabSheet4Enter()
{
    SetStatus(QStringLiteral(" Visualizza l'assegnazione attuale."));
    TrackBar1->setValue(State.Settings.SpeedSlider);
    CheckBox4->setChecked(State.Settings.UndoToDeal);
    PageDone = false;
}

void TPrefDlg1::TabSheet4Exit()
{
    PageDone = true;
}

TPrefDlg1::Outcome TPrefDlg1::StoreDisplayOptions()
{
    GameSettings &s = State.Settings;
    if (!Written(Store.StoreDisplayOptions(s)))
        return Outcome::WriteFailed;
    State.flags.DetailsShown = s.TransferDetails;
    State.flags.DeepestTop = 0;
    s.PrefsChanged = true;
    PageDelay = 2000;
    SetStatus(QStringLiteral(" Opzioni di visualizzazione memorizzate nel registro"));
    return Outcome::Done;
}

TPrefDlg1::Outcome TPrefDlg1::StoreSpeed()
{
    GameSettings &s = State.Settings;
    PageDelay = 1000;
    const bool undoChanged = CheckBox4->isChecked() != s.UndoToDeal;
    if (undoChanged) {
        s.UndoToDeal = CheckBox4->isChecked();
        if (!Written(Store.StoreUndoToDeal(s)))
            return Outcome::WriteFailed;
    }
    const int position = TrackBar1->value();
    if (position == s.SpeedSlider) {
        SetStatus(undoChanged ? QStringLiteral(" Nuovo valore memorizzato nel registro")
                              : QStringLiteral(" Valore lasciato invariato"));
        return Outcome::Done;
    }
    s.SpeedSlider = position;
    s.FlightDelay = FlightDelayFor(position);
    if (!Written(Store.StoreSpeed(s)))
        return Outcome::WriteFailed;
    PageDelay = 2000;
    SetStatus(QStringLiteral(" Nuovo valore memorizzato nel registro"));
    s.PrefsChanged = true;
    return Outcome::Done;
}

void TPrefDlg1::OnBtn1Click()
{
    Outcome outcome = Outcome::Done;
    switch (PageControl1->currentIndex()) {
    case DisplayPage:
        outcome = StoreDisplayOptions();
        break;
    case SuitPage:
        outcome = StoreSuitOrderAndSpacing();
        break;
    case SpeedPage:
        outcome = StoreSpeed();
        break;
    default:
        // The picture's path is stored as the focus leaves its field. Enter
        // leaves it there: the path is checked now, as a click on OK would
        // have it, and not when the tab cycle moves the focus away under an
        // open error box. A refused path keeps the dialog on its tab.
        if (Edit1->hasFocus())
            Button1->setFocus(Qt::OtherFocusReason);
        outcome = Edit1->isModified() ? Outcome::Stay : Outcome::Done;
        break;
    }
    // A write that failed has been told; the dialog stays where it is.
    if (outcome == Outcome::WriteFailed)
        return;
    PageDone = outcome == Outcome::Done;
    Timer1.setInterval(PageDelay);
    Timer1.start();
}

void TPrefDlg1::Timer1Timer()
{
    if (PageDone)
        PageControl1->setCurrentIndex((PageControl1->currentIndex() + 1) % PageControl1->count());
    PageDelay = 500;
    Timer1.stop();
}

} // namespace quintara
