#include "table/mainwindow.h"

#include <algorithm>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include "core/analysis.h"
#include "core/deal.h"
#include "core/gameflow.h"
#include "core/undo.h"
#include "dialogs/dialogparts.h"
#include "moves/placenames.h"
#include "moves/pointer.h"
#include "store/keptgame.h"
#include "table/buttonart.h"
#include "table/carddrawing.h"
#include "table/cursors.h"
#include "table/dealnumber.h"
#include "table/detailspanel.h"
#include "table/drawingtools.h"
#include "table/hintcommands.h"
#include "table/statuspanels.h"
#include "table/tableview.h"
#include "table/windowsystem.h"

namespace quintara {

namespace {

// The lines of the panel under the tableau that the smallest window still shows.
constexpr int PanelFirstLines = 3;

MouseButton ButtonOf(const QMouseEvent *event)
{
    return event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Other;
}

} // namespace

TForm1::TForm1(SettingsStore settingsStore, QString cardLibraryFile, QWidget *parent)
    : QMainWindow(parent), store(std::move(settingsStore)), cardLibrary(std::move(cardLibraryFile))
{
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateComponents()
{
    setWindowTitle(QStringLiteral(" ") + ApplicationTitle());
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);

    menu = BuildMainMenu(menuBar());
    panels = std::make_unique<StatusPanels>(statusBar());
    view = new TableView(this);
    setCentralWidget(view);
    view->setFocus();

    BitBtn1 = new QPushButton(view);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(DesignBitBtnWidth, DesignBitBtnWidth);
    BitBtn1->setIcon(ClearTableIcon());
    BitBtn1->setIconSize(QSize(28, 28));
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    UndoBtn1 = new QPushButton(UndoIcon(), QStringLiteral("Cancella"), view);
    UndoBtn1->setObjectName(QStringLiteral("UndoBtn1"));
    ShowBtn1 = new QPushButton(ShowIcon(), QStringLiteral("Mostra"), view);
    ShowBtn1->setObjectName(QStringLiteral("ShowBtn1"));
    for (QPushButton *b : {UndoBtn1, ShowBtn1}) {
        b->setFixedSize(94, 29);
        b->setFocusPolicy(Qt::NoFocus);
        // Black captions while they answer; a disabled button keeps the
        // style's grey so it reads as disabled.
        QPalette p = b->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            p.setColor(group, QPalette::ButtonText, Qt::black);
        b->setPalette(p);
    }

    const auto describe = [](QPushButton *button, const QString &name, const QString &tip) {
        button->setAccessibleName(name);
        button->setToolTip(tip);
    };
    describe(BitBtn1, QStringLiteral("Sgombra il tavolo"), QStringLiteral("Sgombra il tavolo e finisce il gioco in corso"));
    describe(UndoBtn1, QStringLiteral("Cancella la mossa"), QStringLiteral("Cancella l'ultima mossa"));
    describe(ShowBtn1, QStringLiteral("Mostra le mosse"), QStringLiteral("Mostra o nasconde le mosse possibili"));
    view->summary = [this] { return TableSummary(state, Now()); };
    view->placeName = [this](int number) { return PlaceName(state, PlaceOf(number)); };
    view->placeRect = [this](int number) {
        const PlaceRef place = PlaceOf(number);
        return ToQRect(FocusArea(state, KeyFocus{place.kind, place.index, true}));
    };
    view->focusedPlace = [this] { return keyFocus.shown ? PlaceNumber(keyFocus.kind, keyFocus.index) : -1; };

    deals = new DealCommands(state, *this, view, menu.ReplayGame1);
    hints = std::make_unique<HintCommands>(state, *this, view);

    Timer1.setInterval(1000);
    Timer2.setInterval(2000);
    MakePointers(screen()->devicePixelRatio());
}

void TForm1::ConnectCommands()
{
    // The game loop runs inside "Nuovo gioco"; queued, so the menu is closed
    // before the loop starts.
    connect(menu.NewGame1, &QAction::triggered, this, &TForm1::NewGame1Click, Qt::QueuedConnection);
    connect(menu.FinishGame1, &QAction::triggered, this, [this] { FinishGame1Click(state, *this); });
    // Dealing by number may start a game's loop too.
    connect(menu.ReplayGame1, &QAction::triggered, deals, &DealCommands::ReplayGame1Click, Qt::QueuedConnection);
    connect(menu.DealNumber1, &QAction::triggered, deals, &DealCommands::DealNumber1Click, Qt::QueuedConnection);
    connect(menu.GameStats1, &QAction::triggered, this, &TForm1::GameStats1Click);
    connect(menu.GamePref1, &QAction::triggered, this, &TForm1::Pref1DlgClick);
    connect(menu.GameExit1, &QAction::triggered, this, [this] { GameExitClick(state, *this); });
    connect(menu.MoveUndo1, &QAction::triggered, this, [this] { MoveUndo1Click(state, *this); });
    connect(menu.MoveShow1, &QAction::triggered, this, [this] { MoveShow1Click(state, *this); });
    connect(menu.MoveHint1, &QAction::triggered, hints.get(), &HintCommands::MoveHint1Click);
    connect(menu.MoveWinnable1, &QAction::triggered, hints.get(), &HintCommands::MoveWinnable1Click);
    // Both may start a game's loop.
    connect(menu.MoveWhereLost1, &QAction::triggered, hints.get(), &HintCommands::MoveWhereLost1Click, Qt::QueuedConnection);
    connect(menu.MoveShowWin1, &QAction::triggered, hints.get(), &HintCommands::MoveShowWin1Click);
    // The session ends (a logout, a shutdown): no question holds it up, the
    // game is kept for the next start and the window then closes unasked.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { PutOffGame(state, *this); });
    connect(menu.HelpAbout1, &QAction::triggered, this, &TForm1::HelpAboutClick);
    connect(menu.HelpDate, &QAction::triggered, this, &TForm1::ShowDateClick);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(state, *this); });
    connect(UndoBtn1, &QPushButton::clicked, this, [this] { UndoBtn1Click(state, *this); });
    connect(ShowBtn1, &QPushButton::clicked, this, [this] { ShowBtn1Click(state, *this); });
    connect(&Timer1, &QTimer::timeout, this, [this] {
        // The clock's tick is no news: a reader would hear it every second.
        const QScopedValueRollback quiet(announceStatus, false);
        Timer1Timer(state, *this);
    });
    connect(&Timer2, &QTimer::timeout, this, [this] { Timer2Timer(state, *this); });

    view->onKey = [this](QKeyEvent *e) { return PlayKey(e); };
    view->onPress = [this](QMouseEvent *e) {
        HideFocusMark();
        FormMouseDown(state, *this, ButtonOf(e), int(e->position().x()), int(e->position().y()));
        if (ButtonOf(e) == MouseButton::Left)
            StartFollowing(e->position().toPoint());
    };
    view->onMove = [this](QMouseEvent *e) {
        FormMouseMove(state, *this, int(e->position().x()), int(e->position().y()), Narrator());
        if (e->buttons() & Qt::LeftButton)
            FollowPointer(e->position().toPoint());
    };
    view->onRelease = [this](QMouseEvent *e) {
        const MoveSource held = state.held.Picked();
        const std::optional<QRect> drawnAt = ButtonOf(e) == MouseButton::Left ? StopFollowing() : std::nullopt;
        FormMouseUp(state, *this, ButtonOf(e), int(e->position().x()), int(e->position().y()), Narrator());
        if (drawnAt)
            FlyBackIfRefused(held, drawnAt->topLeft());
    };
    view->onScaleChange = [this](qreal scale) { WithoutModals([&] { Rescale(scale); }); };
    view->onResize = [this] { WithoutModals([this] { FollowClientArea(); }); };
    view->onPaint = [this] { WithoutModals([this] { PaintTable(PaintSender::Window); }); };
    view->onFirstPicture = [this](QImage &picture) {
        bool painted = false;
        WithoutModals([&] { painted = PaintFirstPicture(picture); });
        return painted;
    };
    view->onCanvasNeeded = [this] { CatchUpWithFirstPicture(); };

    // The application's idle moments: just before the event loop goes to sleep.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TForm1::AppIdle);
}

void TForm1::FormCreate()
{
    CreateComponents();
    state.paint.FullRepaint = true;

    panels->setText(0, QStringLiteral(" Dir: ") + QDir::currentPath());
    ShowReport(store.LoadSettings(state.Settings, state.Statistics));
    kept = std::make_unique<KeptGame>(QFileInfo(store.Path()).absolutePath());

    // A first guess of the client area; the window's real one replaces it
    // as soon as the desktop has maximised the window (FollowClientArea).
    const QRect available = screen()->availableGeometry();
    ApplyLayout(available.width(), available.height() - menuBar()->sizeHint().height());

    // Maximised; restored, the window keeps the table's width and a margin
    // of the screen around it, title bar included. Where nothing maximises
    // (X11 without a window manager) it takes the available area itself.
    if (DesktopMaximises()) {
        const int width = qMin(available.width(), qMax(state.Layout.window.ClientWidth * 7 / 8, state.Layout.window.PlayAreaWidth + state.Layout.grid.TableMargin));
        const QSize normal(width, available.height() * 7 / 8);
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, normal, available));
    } else {
        setGeometry(available);
    }
    setWindowState(Qt::WindowMaximized);
    InitialiseGame(state);
    SetPointer(Pointer::Arrow);
    ConnectCommands();
}

void TForm1::ComputeTableLayout(int clientWidth, int clientHeight)
{
    LayoutInput input;
    input.screenWidth = screen()->geometry().width();
    input.clientWidth = clientWidth;
    input.clientHeight = clientHeight;
    input.statusBarHeight = statusBar()->sizeHint().height();
    input.bitBtnWidth = BitBtn1->width();
    input.origCardSize = state.Settings.OrigCardSize;
    state.Layout = ComputeLayout(input);
    laidOut = QSize(clientWidth, clientHeight);
}

void TForm1::ApplyLayout(int clientWidth, int clientHeight)
{
    ComputeTableLayout(clientWidth, clientHeight);
    const TableLayout &l = state.Layout;

    const QColor table = ToColor(l.window.TableColour);
    QPalette p = palette();
    p.setColor(QPalette::Window, table);
    view->setPalette(p);
    view->setAutoFillBackground(false);
    if (l.window.ClientWidth > clientWidth)
        resize(l.window.ClientWidth, height());
    BitBtn1->move(l.buttons.BitBtnLeft, l.buttons.BitBtnTop);
    deals->Place(l);
    KeepTableWhole();
    ResetTable(state);

    cards = std::make_unique<CardPainter>(*this, l.buffers.CardBufferSize, state.Settings.OrigCardSize, cardLibrary);
    // Made at the first paint, once the window has the size it is shown at.
    rescaleDue = true;
}

void TForm1::FollowClientArea()
{
    // The table takes its height from the client area the window really has
    // once the desktop has maximised it, under the menu bar and above the
    // status bar; a restored, smaller window keeps the maximised table.
    if (!cards || resourcesReleased || !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QSize client(view->width(), view->height() + statusBar()->sizeHint().height());
    if (client == laidOut || client.width() < 1 || view->height() < 1)
        return;
    ComputeTableLayout(client.width(), client.height());
    deals->Place(state.Layout);
    KeepTableWhole();
    // The buffers follow at the next paint: a window being shown or
    // maximised passes through several sizes before it is painted.
    rescaleDue = true;
    view->update();
}

void TForm1::KeepTableWhole()
{
    // The play area, the buttons and the widest deal number beside it, and
    // above the panel under the tableau its first lines: a smaller window
    // would cut them off. Never wider than the table laid out for the
    // maximised window, whose deal number already keeps inside it; the menu
    // and status bars add their own.
    const TableLayout &l = state.Layout;
    const QLabel &label = *deals->Label();
    const int dealRight = label.x() + label.fontMetrics().horizontalAdvance(DealTitle(LastDealNumber));
    const int width = std::max({l.window.PlayAreaWidth + l.grid.TableMargin,
                                l.buttons.UndoBtnLeft + UndoBtn1->width(), dealRight}) + 4;
    view->setMinimumSize(std::min(width, l.window.ClientWidth - 4),
                         l.panel.InfoPanelTop + PanelFirstLines * l.grid.RowStep);
}

void TForm1::MakePointers(qreal scale)
{
    largeUp = LargeUpCursor(scale);
    largeDown = LargeDownCursor(scale);
}

void TForm1::Rescale(qreal scale)
{
    MakePointers(scale);
    MakeBuffers(scale);
    PaintTable(PaintSender::Window);
}

void TForm1::MakeBuffers(qreal scale)
{
    rescaleDue = false;
    buffersDue = false;
    // Everything on the table is drawn again at the new size or detail; the
    // panel's contents come back with the next count of the moves.
    const TableLayout &l = state.Layout;
    painter.CreateBuffers(l, scale);
    if (!painter.InfoPanel().isNull())
        painter.CreateInfoPanel(l, scale);
    view->resizeCanvas(l.window.ClientWidth, l.window.ClientHeight, ToColor(l.window.TableColour));
    state.paint.FullRepaint = true;
    if (!painter.InfoPanel().isNull())
        painter.ResetInfoPanel(state, view->canvas());
}

bool TForm1::PaintFirstPicture(QImage &picture)
{
    if (!cards || !rescaleDue || !painter.PaintStraight(state, picture, *cards, SidePictureBitmap))
        return false;
    // The buffers and the canvas follow once the picture is on the screen,
    // or sooner if the canvas is wanted.
    if (!buffersDue)
        QTimer::singleShot(0, this, &TForm1::CatchUpWithFirstPicture);
    buffersDue = true;
    return true;
}

void TForm1::CatchUpWithFirstPicture()
{
    // The window already shows the picture they get.
    if (buffersDue && !resourcesReleased)
        WithoutModals([this] { PaintTable(PaintSender::Window); });
}

void TForm1::SetDialogs(const MainDialogs &d)
{
    dialogs = d;
}

QString TForm1::StatusText(int panel) const
{
    return panels->text(panel);
}

void TForm1::FormShow()
{
    const TableLayout &l = state.Layout;
    UndoBtn1->move(l.buttons.UndoBtnLeft, l.buttons.UndoBtnTop);
    ShowBtn1->move(l.buttons.ShowBtnLeft, l.buttons.ShowBtnTop);
    UndoBtn1->hide();
    ShowBtn1->hide();
    painter.CreateInfoPanel(l, view->devicePixelRatioF());
    details = std::make_unique<DetailsPanel>(
        state, painter.InfoPanel(), [this] { painter.ClearDetailsPanel(state); },
        [this] { ShowInfoPanel(InfoPanelArea(state.Layout)); });
    ResetInfoPanel();
    if (state.flags.GameInProgress || state.Settings.PrefsChanged)
        RefreshSidePicture();
}

void TForm1::FormActivate()
{
    if (dialogs.PrefDlg1 && dialogs.PrefDlg1->isVisible())
        dialogs.PrefDlg1->hide();
    if (state.Layout.window.ScreenClass == 0) {
        ShowNotice(QStringLiteral("Questo programma richiede una risoluzione di\nalmeno 800 x 600 pixels, o meglio di 1024 x 768."),
                   QStringLiteral(" Controllo della tavola da gioco"), NoticeIcon::None);
        close();
        return;
    }
    if (state.flags.GameInProgress || state.Settings.PrefsChanged)
        RefreshSidePicture();
}

void TForm1::FormDeactivate()
{
    state.paint.PictureShown = false;
}

void TForm1::AppIdle()
{
    EndLostHold();
    ApplyCommandStates();
    // Loading the module and redrawing after a resize may show a message,
    // which cannot happen while the event loop is going to sleep: do it as
    // the next event, once.
    const bool libraryDue = cards && !resourcesReleased && !cards->Library().Loaded()
                            && !cards->Library().LibraryFailed();
    if ((libraryDue || state.flags.ResizePending) && !idleWorkPosted) {
        idleWorkPosted = true;
        QTimer::singleShot(0, this, &TForm1::IdleWork);
    }
}

void TForm1::IdleWork()
{
    // A message shown here runs the event loop; the idle moments inside it
    // must not start this work again.
    if (cards)
        cards->Library().Load();
    if (state.flags.ResizePending) {
        state.flags.ResizePending = false;
        RefreshSidePicture();
    }
    idleWorkPosted = false;
}

bool TForm1::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::StatusTip:
        // The hint of the menu item under the pointer goes to the first panel.
        panels->setText(0, static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    case QEvent::WindowActivate:
        if (activation.Activated())
            FormActivate();
        break;
    case QEvent::WindowDeactivate:
        activation.Deactivated();
        FormDeactivate();
        break;
    default:
        break;
    }
    return QMainWindow::event(e);
}

void TForm1::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (shown)
        return;
    shown = true;
    FormShow();
}

void TForm1::closeEvent(QCloseEvent *e)
{
    if (FormClose(state, *this))
        e->accept();
    else
        e->ignore();
}

void TForm1::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    state.flags.ResizePending = true;
}

void TForm1::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) {
        const auto *change = static_cast<QWindowStateChangeEvent *>(e);
        if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
            RefreshSidePicture();
    }
}

void TForm1::NewGame1Click()
{
    quintara::NewGame1Click(state, *this, static_cast<std::uint32_t>(Now().toSecsSinceEpoch()));
}

void TForm1::GameStats1Click()
{
    ShowStatisticsDialog();
}

void TForm1::Pref1DlgClick()
{
    if (!dialogs.PrefDlg1)
        return;
    dialogs.PrefDlg1->move(PreferencesPlace);
    dialogs.PrefDlg1->show();
    dialogs.PrefDlg1->raise();
    RefreshSidePicture();
    Repaint(PaintSender::MainMenu1);
}

void TForm1::HelpAboutClick()
{
    if (!dialogs.AboutBox)
        return;
    if (dialogs.AboutBox->isVisible())
        dialogs.AboutBox->hide();
    dialogs.AboutBox->move(AboutPlace);
    dialogs.AboutBox->exec();
}

void TForm1::ShowDateClick()
{
    if (dialogs.CalendarForm)
        dialogs.CalendarForm->exec();
}

void TForm1::ShowReport(const StoreReport &report)
{
    if (!report.Ok())
        ShowNotice(report.Text(), QString::fromLatin1(SettingsErrorCaption), NoticeIcon::Stop);
}

bool TForm1::PlayKey(const QKeyEvent *e)
{
    // Keys with Ctrl or Alt belong to the menus; the keypad's digits count.
    if (e->modifiers() & ~Qt::KeypadModifier)
        return false;
    const int key = e->key();
    TableKey tableKey = TableKey::Column;
    switch (key) {
    case Qt::Key_1: case Qt::Key_2: case Qt::Key_3: case Qt::Key_4:
    case Qt::Key_5: case Qt::Key_6: case Qt::Key_7: case Qt::Key_8: break;
    case Qt::Key_Left: tableKey = TableKey::Left; break;
    case Qt::Key_Right: tableKey = TableKey::Right; break;
    case Qt::Key_Up: tableKey = TableKey::Up; break;
    case Qt::Key_Down: tableKey = TableKey::Down; break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: tableKey = TableKey::Act; break;
    case Qt::Key_Escape: tableKey = TableKey::PutBack; break;
    default: return false;
    }
    const KeyFocus before = keyFocus;
    PressTableKey(state, *this, keyFocus, tableKey, key - Qt::Key_1, Narrator());
    Repaint(PaintSender::BitBtn1);
    // A screen reader speaks the place the keys moved to.
    if (keyFocus.shown && (!before.shown || before.kind != keyFocus.kind || before.index != keyFocus.index))
        view->tellPlace(PlaceNumber(keyFocus.kind, keyFocus.index), true);
    return true;
}

void TForm1::HideFocusMark()
{
    if (!keyFocus.shown)
        return;
    keyFocus.shown = false;
    Repaint(PaintSender::BitBtn1);
}

CountObserver *TForm1::Narrator() const
{
    return details ? details->Narrator() : nullptr;
}

QPushButton *TForm1::ButtonFor(Button button) const
{
    return button == Button::UndoBtn1 ? UndoBtn1 : ShowBtn1;
}

} // namespace quintara
