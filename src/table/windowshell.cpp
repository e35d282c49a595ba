// The main window as the game's desktop: what the game's logic asks of the
// screen, the pointer, the timers and the dialogs.

#include <utility>

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QThread>

#include "core/gameflow.h"
#include "dialogs/dialogparts.h"
#include "dialogs/prompts.h"
#include "table/analysispanel.h"
#include "table/carddrawing.h"
#include "table/dealnumber.h"
#include "table/drawingtools.h"
#include "table/flight.h"
#include "moves/placenames.h"
#include "table/focusmark.h"
#include "table/hintcommands.h"
#include "table/mainwindow.h"
#include "table/statuspanels.h"
#include "table/tableview.h"
#include "store/keptgame.h"

namespace quintara {

void TForm1::SetStatusText(int panel, const QString &text)
{
    panels->setText(panel, text);
    if (announceStatus)
        panels->announce(text);
}

void TForm1::ShowNotice(const QString &text, const QString &caption, NoticeIcon icon)
{
    if (modalsBarred > 0) {
        if (heldNotices.empty())
            QTimer::singleShot(0, this, &TForm1::ShowHeldNotices);
        heldNotices.push_back({text, caption, icon});
        return;
    }
    const PromptActivation::Open open(activation);
    ShowNoticeBox(this, text, caption, icon);
}

void TForm1::WithoutModals(const std::function<void()> &work)
{
    ++modalsBarred;
    work();
    --modalsBarred;
}

void TForm1::ShowHeldNotices()
{
    // Each box runs the event loop, in which new notices may be held: they
    // wait for a turn of their own.
    const std::vector<HeldNotice> notices = std::exchange(heldNotices, {});
    for (const HeldNotice &notice : notices)
        ShowNotice(notice.text, notice.caption, notice.icon);
}

bool TForm1::AskYesNo(const QString &text, const QString &caption)
{
    const PromptActivation::Open open(activation);
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, this);
    return ExecWithWholeCaption(box) == QMessageBox::Yes;
}

int TForm1::AskChoice(const QString &text, const QString &caption, const QStringList &choices)
{
    const PromptActivation::Open open(activation);
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, this);
    QList<QAbstractButton *> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const auto role = i == 0 ? QMessageBox::YesRole : i == 1 ? QMessageBox::NoRole : QMessageBox::ActionRole;
        QPushButton *button = box.addButton(choices[i], role);
        button->setProperty("choice", int(i));
        // The desktop's own pictures for the answers it knows, as on its own boxes.
        const QString bare = QString(choices[i]).remove(u'&');
        if (bare == QStringLiteral("Sì") || bare == QStringLiteral("No") || bare == QStringLiteral("OK"))
            button->setIcon(style()->standardIcon(bare == QStringLiteral("Sì")   ? QStyle::SP_DialogYesButton
                                                  : bare == QStringLiteral("No") ? QStyle::SP_DialogNoButton
                                                                                 : QStyle::SP_DialogOkButton));
        buttons << button;
    }
    if (!buttons.isEmpty())
        box.setDefaultButton(static_cast<QPushButton *>(buttons.front()));
    ExecWithWholeCaption(box);
    return int(buttons.indexOf(box.clickedButton()));
}

void TForm1::KeepGame(const GameRecord &record)
{
    if (!kept)
        return;
    kept->Save(WriteRecord(record));
    // A write fails on its own thread; the player hears of it once, at the next move.
    const QString failure = kept->TakeFailure();
    if (!failure.isEmpty() && !keepFailureTold) {
        keepFailureTold = true;
        ShowNotice(QStringLiteral("La partita in corso non si può conservare in %1 (%2): se il gioco si chiude, "
                                  "andrà persa.").arg(kept->Path(), failure),
                   QString::fromLatin1(SettingsErrorCaption), NoticeIcon::Stop);
    }
}

void TForm1::DropKeptGame()
{
    if (kept)
        kept->Drop();
}

void TForm1::ExplainLoss()
{
    // Once the lost game's loop has returned: the explanation may play on.
    QTimer::singleShot(0, hints.get(), &HintCommands::MoveWhereLost1Click);
}

void TForm1::OfferKeptGame()
{
    if (!kept || !kept->Found() || state.flags.DeckDealt)
        return;
    QString why;
    const std::optional<GameRecord> record = ReadRecord(*kept->Found(), why);
    std::optional<ReplayedGame> game;
    if (record) {
        std::size_t failedAt = 0;
        game = ReplayRecord(*record, &failedAt);
        if (!game)
            why = QStringLiteral("la mossa %1 non si può fare").arg(failedAt + 1);
    }
    if (!game) {
        // Never trusted, never counted: kept aside for whoever wants to look at it.
        QString asideWhy;
        const QString aside = kept->SetAside(asideWhy);
        const QString text =
            aside.isEmpty()
                ? QStringLiteral("La partita lasciata in sospeso è danneggiata (%1) e non si può mettere da parte "
                                 "(%2): non viene ripresa.").arg(why, asideWhy)
                : QStringLiteral("La partita lasciata in sospeso è danneggiata (%1): è stata messa da parte come %2 "
                                 "e non viene ripresa.").arg(why, aside);
        ShowNotice(text, QStringLiteral(" Ripresa del gioco"), NoticeIcon::Information);
        return;
    }
    quintara::OfferKeptGame(state, *this, *record, *game);
}

void TForm1::SetPointer(Pointer pointer)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    switch (pointer) {
    case Pointer::Arrow:
        view->setCursor(Qt::ArrowCursor);
        break;
    case Pointer::Hourglass:
        QApplication::setOverrideCursor(Qt::WaitCursor);
        break;
    case Pointer::LargeUp:
        view->setCursor(largeUp);
        break;
    case Pointer::LargeDown:
        view->setCursor(largeDown);
        break;
    }
}

// A card held between two clicks takes nothing from the rest of the desktop:
// the table has the pointer only while a button is down over it, which the
// window system's own capture of a press already gives, so the release of a
// drag reaches the table wherever it happens. No grab of our own, then, and
// none to forget when a game ends with a card in the hand.
void TForm1::CaptureMouse()
{
    holding = true;
}

void TForm1::ReleaseMouse()
{
    holding = false;
}

void TForm1::EndLostHold()
{
    // The game ended, or the table was cleared, with a card in the hand:
    // the pointer the card had set goes too.
    if (holding && (state.held.PickedFrom == FromNothing || !state.flags.GameInProgress)) {
        ReleaseMouse();
        SetPointer(Pointer::Arrow);
    }
}

QRegion TForm1::PaintTable(PaintSender sender)
{
    if (rescaleDue)
        MakeBuffers(view->devicePixelRatioF());
    QRegion changed = painter.FormPaint(state, sender, view->canvas(), *cards, SidePictureBitmap);
    // The focus mark goes over the picture after every paint: the next one
    // wipes it with the buffers' copies and draws it where the focus is then.
    if (keyFocus.shown && !state.paint.PaintSuspended && !painter.TableBuffer().isNull()) {
        const PixelRect place = FocusArea(state, keyFocus);
        const QRegion mark = FocusMarkArea(state.Layout, place);
        DrawFocusMark(DrawOnWindow(mark), state.Layout, place);
        changed += mark;
    }
    TellChangedPlaces();
    return changed;
}

void TForm1::TellChangedPlaces()
{
    // Only while a screen reader listens: the names cost a little at every paint.
    if (!QAccessible::isActive())
        return;
    for (int number = 0; number < PlaceCount; ++number) {
        QString name = PlaceName(state, PlaceOf(number));
        if (name != placeNames[number]) {
            placeNames[number] = std::move(name);
            view->tellPlace(number, false);
        }
    }
}

void TForm1::Repaint(PaintSender sender)
{
    view->showNow(PaintTable(sender));
}

QImage &TForm1::DrawOnWindow(const QRegion &area)
{
    QImage &window = view->canvas();
    painter.DrawOver(state.Layout, window, area);
    return window;
}

void TForm1::ShowInfoPanel(const QRegion &area)
{
    painter.ShowInfoPanel(state, DrawOnWindow(area), area);
    view->showNow(area);
}

QRect TForm1::CardArea(int x, int y) const
{
    const PixelRect card = CardRect(state.Layout, x, y);
    return {card.left, card.top, card.width(), card.height()};
}

void TForm1::DrawHeldCard(int x, int y, CardCode card)
{
    heldAt = {x, y};
    // Drawn on the tableau's buffer even for a free-cell card: the copy to
    // the window that comes with the highlight makes it show at once.
    painter.DrawOver(state.Layout, view->canvas(), CardArea(x, y), TablePainter::Surface::TableauAndWindow);
    cards->DrawCard(painter.TableauBuffer(), view->canvas(), x, y, card, DrawHighlighted,
                    state.Layout.window.TableColour);
    view->showNow(CardArea(x, y));
}

void TForm1::FlyCard(CardCode card, int fromX, int fromY, int toX, int toY)
{
    state.paint.PaintSuspended = true;
    QImage &window = view->canvas();
    QImage &flight = painter.FlightBuffer();
    const int delay = state.Layout.window.ScreenClass * state.Settings.FlightDelay;
    auto drawAt = [&](int x, int y) {
        const QRect at(QPoint(x, y), flight.deviceIndependentSize().toSize());
        QPainter(&DrawOnWindow(at)).drawImage(at.topLeft(), flight);
        view->showNow(at);
    };
    if (!flight.isNull()) {
        cards->DrawCard(flight, window, 0, 0, card, DrawNormal, state.Layout.window.TableColour);
        drawAt(fromX, fromY);
        Pause(2);
        for (const FlightPoint &pt : FlightPath(fromX, fromY, toX, toY)) {
            drawAt(pt.x, pt.y);
            Pause(delay);
        }
        DrawOnWindow(CardArea(toX, toY));
        cards->DrawCard(window, window, toX, toY, card, DrawNormal, state.Layout.window.TableColour);
        view->showNow(CardArea(toX, toY));
    }
    state.paint.PaintSuspended = false;
}

void TForm1::ResetInfoPanel()
{
    painter.ResetInfoPanel(state, view->canvas());
    view->showNow(InfoPanelArea(state.Layout));
}

void TForm1::ClearDetailsPanel(bool copyToWindow)
{
    painter.ClearDetailsPanel(state);
    if (copyToWindow && state.flags.DetailsShown)
        ShowInfoPanel(InfoPanelArea(state.Layout));
}

void TForm1::RefreshSidePicture()
{
    const PixelRect &r = state.Layout.window.SideArea;
    const QColor table = ToColor(state.Layout.window.TableColour);
    auto clearSide = [&] {
        // Before the first paint there is no canvas, and nothing beside the table yet.
        if (QImage &canvas = DrawOnWindow(ToQRect(r)); !canvas.isNull())
            QPainter(&canvas).fillRect(ToQRect(r), table);
        state.paint.PictureShown = false;
        view->showNow(ToQRect(r));
    };
    GameSettings &s = state.Settings;
    if (s.ShowPicture && !s.PictureFileOk)
        s.ShowPicture = false;   // for this run only; the stored setting stays
    if (!s.ShowPicture) {
        clearSide();
        return;
    }
    const QImage picture = sidePictureFile.Load(s.SWBmpPath, screen()->size() * devicePixelRatioF());
    if (picture.isNull()) {
        ShowNotice(QStringLiteral("Non riesco a caricare l'immagine da mettere nella finestra a fianco."),
                   QStringLiteral(" Errore di caricamento"), NoticeIcon::Stop);
        return;
    }
    SidePictureBitmap = picture;
    if (s.PrefsChanged && state.paint.PictureShown)
        clearSide();
    state.paint.PictureShown = false;
    Repaint(PaintSender::Window);
}

void TForm1::ShowAnalysis(const MoveAnalysis &analysis)
{
    QImage &panel = painter.InfoPanel();
    if (panel.isNull())
        return;
    const QRect area = InfoPanelArea(state.Layout);
    ShowInfoPanel(DrawMoveAnalysis(panel, analysis, state.Layout.window.TableColour).translated(area.topLeft()));
}

void TForm1::ApplyCommandStates()
{
    menu.MoveUndo1->setEnabled(state.flags.UndoEnabled);
    UndoBtn1->setEnabled(state.flags.UndoEnabled);
    menu.MoveShow1->setEnabled(state.flags.ShowMovesEnabled);
    ShowBtn1->setEnabled(state.flags.ShowMovesEnabled);
    menu.FinishGame1->setEnabled(state.flags.FinishEnabled);
    menu.MoveHint1->setEnabled(state.flags.GameInProgress);
    menu.MoveWinnable1->setEnabled(state.flags.GameInProgress);
    menu.MoveWhereLost1->setEnabled(!state.flags.GameInProgress && state.flags.LastGameLost);
    menu.MoveShowWin1->setEnabled(state.flags.GameInProgress);
    deals->Update();
}

void TForm1::SetButtonVisible(Button button, bool visible)
{
    ButtonFor(button)->setVisible(visible);
}

void TForm1::SetButtonEnabled(Button button, bool enabled)
{
    ButtonFor(button)->setEnabled(enabled);
}

void TForm1::SetTimerEnabled(GameTimer timer, bool enabled)
{
    QTimer &t = timer == GameTimer::Timer1 ? Timer1 : Timer2;
    if (enabled)
        t.start();
    else
        t.stop();
}

void TForm1::ShowStatisticsDialog()
{
    if (!dialogs.Stats1Dlg)
        return;
    dialogs.Stats1Dlg->move(StatisticsPlace);
    dialogs.Stats1Dlg->exec();
}

void TForm1::SaveStatistics()
{
    ShowReport(store.SaveStatistics(state.Statistics));
}

void TForm1::ReleaseResources()
{
    resourcesReleased = true;
    painter.ReleaseBuffers();
    if (cards)
        cards->Library().Release();
}

void TForm1::CloseMainWindow()
{
    close();
}

void TForm1::ProcessEvents(bool wait)
{
    QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
}

void TForm1::Pause(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

QDateTime TForm1::Now()
{
    return QDateTime::currentDateTime();
}

} // namespace quintara
