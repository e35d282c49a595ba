// The main window on a real (offscreen) screen of SCREEN_WIDTH pixels: its
// menus, its layout, dealing, ending and closing a game, the card module.

#include <QtTest>

#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include <sys/stat.h>
#include <unistd.h>

#include "core/gameflow.h"
#include "core/record.h"
#include "moves/legalmoves.h"
#include "moves/playermove.h"
#include "store/keptgame.h"
#include "support/screentest.h"
#include "support/windowfixture.h"
#include "table/carddrawing.h"
#include "table/mainwindow.h"
#include "table/tableview.h"

using namespace quintara;
using namespace quintara::test;

namespace {

constexpr int ScreenWidth = SCREEN_WIDTH;
constexpr int ScreenHeight = SCREEN_WIDTH >= 1024 ? 768 : 600;

QImage Reference(CardPainter &cards, const TableLayout &l, CardCode card)
{
    QImage image(l.grid.CardWidth, l.grid.CardHeight, QImage::Format_RGB32);
    image.fill(QColor(l.window.TableColour.red, l.window.TableColour.green, l.window.TableColour.blue));
    cards.DrawCard(image, image, 0, 0, card, DrawNormal, l.window.TableColour);
    return image;
}

// Our module with every empty pile's mark spoilt, at every detail.
bool WriteWithDamagedMarks(const QString &from, const QByteArray &to)
{
    QFile ours(from);
    if (!ours.open(QIODevice::ReadOnly))
        return false;
    const auto table = cardmodule::ReadTable(ours);
    ours.seek(0);
    QByteArray bytes = ours.readAll();
    if (!table)
        return false;
    for (int number = cardmodule::LastFace + 1; number <= cardmodule::LastNumber; ++number)
        for (int scale = 1; scale <= cardmodule::MaxScale; ++scale) {
            const cardmodule::Span span = (*table)[cardmodule::Slot({number, cardmodule::CardSize::Normal, scale})];
            bytes.replace(span.offset, span.length, QByteArray(span.length, 'x'));
        }
    QFile damaged(QFile::decodeName(to));
    return damaged.open(QIODevice::WriteOnly | QIODevice::Truncate) && damaged.write(bytes) == bytes.size();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void menusAndHints()
    {
        WindowFixture f;
        const MainMenu &m = f.form->Menu();
        QCOMPARE(f.form->windowTitle(), QStringLiteral(" Quintara - Edizione Speciale - V2.1"));
        const QList<QPair<QAction *, QPair<QString, QString>>> items = {
            {m.GameMenu1->menuAction(), {"&Gioco", " Menù principale"}},
            {m.NewGame1, {"&Nuovo gioco", " Comincia un nuovo gioco"}},
            {m.FinishGame1, {"&Finisci il gioco", " Finisci il gioco in corso"}},
            {m.ReplayGame1, {"&Rigioca la partita", " Distribuisce di nuovo le carte dell'ultima partita"}},
            {m.DealNumber1, {"Partita n&umero...", " Gioca la partita del numero scelto"}},
            {m.GameStats1, {"&Statistiche", " Guarda o correggi le statistiche"}},
            {m.GamePref1, {"&Preferenze", " Scegli tra le opzioni disponibili"}},
            {m.GameExit1, {"&Esci", " Esci e chiude la finestra"}},
            {m.MoveMenu1->menuAction(), {"M&ossa", ""}},
            {m.MoveUndo1, {"&Cancella la mossa", " Cancella l'ultima mossa"}},
            {m.MoveShow1, {"&Mostra le mosse", " Mostra/nasconde mosse possibili"}},
            {m.MoveHint1, {"&Suggerimento", " Indica una mossa che porta alla vittoria"}},
            {m.MoveWinnable1, {"Si può ancora &vincere?", " Dice se la partita si può ancora vincere"}},
            {m.HelpMenu1->menuAction(), {"&Aiuto", " Menù di aiuto"}},
            {m.HelpAbout1, {"&Informazioni sul gioco", " Mostra le informazioni sul gioco"}},
            {m.HelpDate, {"Mostra &Data", " Mostra il calendario"}},
        };
        for (const auto &item : items) {
            QCOMPARE(item.first->text(), item.second.first);
            QCOMPARE(item.first->statusTip(), item.second.second);
        }
        QCOMPARE(f.form->menuBar()->actions().size(), 3);
        QCOMPARE(m.GameMenu1->actions().size(), 9);   // with the two separators
        QCOMPARE(m.GameMenu1->actions().indexOf(m.ReplayGame1), 2);   // right after "Finisci il gioco"
        QCOMPARE(m.MoveHint1->shortcut(), QKeySequence(Qt::Key_H));

        // The hint of the item under the pointer goes to the first panel.
        m.NewGame1->showStatusText(f.form.get());
        QCOMPARE(f.form->StatusText(0), QStringLiteral(" Comincia un nuovo gioco"));
    }

    void layoutFollowsTheScreen()
    {
        WindowFixture f;
        const TableLayout &l = f.State().Layout;
        QCOMPARE(l.window.ScreenClass, ScreenWidth >= 1024 ? 2 : 1);
        QCOMPARE(l.panel.InfoPanelTop, ScreenWidth >= 1024 ? 535 : 367);
        QCOMPARE(l.window.PlayAreaWidth, 675);
        QCOMPARE(l.window.ClientWidth, f.form->View()->width());
        auto *bitBtn = f.form->findChild<QPushButton *>(QStringLiteral("BitBtn1"));
        QCOMPARE(bitBtn->pos(), QPoint(317, 17));
        auto *undo = f.form->findChild<QPushButton *>(QStringLiteral("UndoBtn1"));
        QCOMPARE(undo->pos(), QPoint(675 + (ScreenWidth >= 1024 ? 42 : 21), 24));
        QVERIFY(!undo->isVisible());
        QCOMPARE(f.form->View()->canvas().size(), QSize(l.window.ClientWidth, l.window.ClientHeight));
        QVERIFY(l.window.PlayAreaHeight > 400);
    }

    // The first picture reaches the screen before the buffers and the canvas
    // are made; made then, they must hold the very same picture.
    void firstPictureIsTheCanvasPicture()
    {
        WindowFixture f(QStringLiteral("zozaro2.dll"), false);
        f.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        QVERIFY(f.form->Painter().TableBuffer().isNull());
        TableView *view = f.form->View();
        const QPoint origin = view->mapTo(f.form.get(), QPoint(0, 0));
        QImage shot = view->screen()
                          ->grabWindow(f.form->winId(), origin.x(), origin.y(), view->width(), view->height())
                          .toImage()
                          .convertToFormat(QImage::Format_RGB32);
        QImage canvas = view->canvas().copy(0, 0, shot.width(), shot.height());
        QVERIFY(!f.form->Painter().TableBuffer().isNull());
        for (QWidget *w : view->findChildren<QWidget *>()) {
            for (QImage *image : {&shot, &canvas})
                QPainter(image).fillRect(QRect(w->mapTo(view, QPoint(0, 0)), w->size()), Qt::black);
        }
        QCOMPARE(shot, canvas);
    }

    void tableTakesTheClientAreaItReallyHas()
    {
        WindowFixture f;
        TForm1 &w = *f.form;
        const TableLayout before = f.State().Layout;
        // The tableau reaches down to the status bar, not under it.
        QCOMPARE(before.window.PlayAreaHeight, w.View()->height());
        // A menu bar taller than it first said, as a panel of the desktop
        // would leave less room: the table keeps to what shows.
        w.menuBar()->setFixedHeight(w.menuBar()->height() + 67);
        QTRY_COMPARE(f.State().Layout.window.PlayAreaHeight, before.window.PlayAreaHeight - 67);
        QCOMPARE(w.View()->height(), before.window.PlayAreaHeight - 67);
        QCOMPARE(f.State().Layout.panel.InfoPanelSize.height, before.panel.InfoPanelSize.height - 67);
        QCOMPARE(w.View()->canvas().height(), before.window.ClientHeight - 67);
        QCOMPARE(w.Painter().TableBuffer().height(), before.window.PlayAreaHeight - 67);

        // Restored to a smaller window, the table keeps its size.
        w.showNormal();
        QTRY_VERIFY(w.View()->height() != before.window.PlayAreaHeight - 67);
        QCOMPARE(f.State().Layout.window.PlayAreaHeight, before.window.PlayAreaHeight - 67);

        // Made as small as it goes, it still shows the buttons and the panel's first lines.
        w.resize(500, 400);
        QTRY_VERIFY(w.View()->width() >= w.findChild<QPushButton *>(QStringLiteral("UndoBtn1"))->geometry().right());
        QVERIFY(w.View()->height() > before.panel.InfoPanelTop + 40);
    }

    void newGameDealsTheCardsOntoTheTable()
    {
        WindowFixture f;
        QVERIFY(IdleUntil([&] { return f.form->Cards()->Library().Loaded(); }));
        bool checked = false;
        QRect dealt;
        f.PlayGame(0, [&] {
            GameState &s = f.State();
            const TableLayout &l = s.Layout;
            CardPainter &cards = *f.form->Cards();
            dealt = QRect(s.table.Columns[0].X[0], s.table.Columns[0].Y[0], l.grid.CardWidth, l.grid.CardHeight);
            QCOMPARE(f.form->StatusText(0), QStringLiteral(" Numero di carte rimaste:  52"));
            for (int c = 0; c < ColumnCount; ++c) {
                const int top = c < 4 ? 6 : 5;
                for (int r = 0; r <= top; ++r) {
                    const TableColumn &col = s.table.Columns[c];
                    const QImage ref = Reference(cards, l, col.Card[r]);
                    // A covered card shows its top strip, the top card all of it; the
                    // rounded corners let the card beneath show through, so leave them out.
                    const int h = r == top ? l.grid.CardHeight : l.grid.RowStep;
                    const int inset = 3;
                    QCOMPARE(f.Region(col.X[r] + inset, col.Y[r], l.grid.CardWidth - 2 * inset, h),
                             ref.copy(inset, 0, l.grid.CardWidth - 2 * inset, h));
                }
            }
            // The empty piles show their marks.
            QImage mark(l.grid.CardWidth, l.grid.CardHeight, QImage::Format_RGB32);
            mark.fill(Qt::black);
            cards.DrawCard(mark, mark, 0, 0, 53, DrawPicture, l.window.TableColour);
            const SlotRecord &pile = s.table.Foundations[0];
            QCOMPARE(f.Region(pile.X, pile.Y, 20, 20), mark.copy(0, 0, 20, 20));
            QVERIFY(f.form->findChild<QPushButton *>(QStringLiteral("UndoBtn1"))->isVisible());
            QVERIFY(f.form->Menu().FinishGame1->isEnabled());
            checked = true;
            f.answerer.answers = {QMessageBox::Yes};
            f.form->Menu().FinishGame1->trigger();
        });
        QVERIFY(checked);
        QCOMPARE(f.StoredStatistics().GamesLost, 1);
        QVERIFY(!f.form->Menu().FinishGame1->isEnabled());
        // The table cleared, no card is left on the window.
        QImage ground = f.Region(dealt.x(), dealt.y(), dealt.width(), dealt.height());
        const Rgb &colour = f.State().Layout.window.TableColour;
        ground.fill(QColor(colour.red, colour.green, colour.blue));
        QCOMPARE(f.Region(dealt.x(), dealt.y(), dealt.width(), dealt.height()), ground);
    }

    void secondNewGameAndFinishAnsweredNo()
    {
        WindowFixture f;
        f.PlayGame(1, [&] {
            const ColumnArray before = f.State().table.Columns;
            f.form->Menu().NewGame1->trigger();
            QTRY_COMPARE(f.answerer.seen.size(), std::size_t(1));
            QCOMPARE(f.answerer.seen[0].text, QStringLiteral("Il gioco attuale non è ancora finito."));
            QCOMPARE(f.answerer.seen[0].caption, QStringLiteral(" Selezione del nuovo gioco"));
            QCOMPARE(f.State().table.Columns, before);

            f.answerer.answers = {QMessageBox::No};
            f.form->Menu().FinishGame1->trigger();
            QVERIFY(f.State().flags.GameInProgress);
            QCOMPARE(f.StoredStatistics().GamesLost, 0);
            QCOMPARE(f.State().table.Columns, before);

            f.answerer.answers = {QMessageBox::Yes};
            f.form->Menu().FinishGame1->trigger();
        });
        QCOMPARE(f.StoredStatistics().GamesLost, 1);
        QCOMPARE(f.answerer.seen[1].text, QStringLiteral("Vuoi proprio finire il gioco in corso?"));
    }

    void closingDuringAGameStoresTheLoss()
    {
        WindowFixture f;
        bool stillOpenAfterNo = false;
        f.PlayGame(2, [&] {
            f.answerer.choices = {1};
            f.form->close();
            stillOpenAfterNo = f.form->isVisible() && f.State().flags.GameInProgress;
            f.answerer.choices = {0};
            f.form->close();
        });
        QVERIFY(stillOpenAfterNo);
        QVERIFY(!f.form->isVisible());
        QCOMPARE(f.answerer.seen.back().text, QStringLiteral("Finisci il gioco ed esci?"));
        QCOMPARE(f.answerer.seen.back().caption, QStringLiteral(" Fase di chiusura"));
        QCOMPARE(f.StoredStatistics().GamesLost, 1);
    }

    // A game kept by "Riprendi dopo" is offered at the next start, to one
    // copy of the game only: Sì puts it back as it was, No counts it lost; a
    // damaged one is set aside and counts nothing. Each game counts once.
    void aKeptGameComesBack_data()
    {
        QTest::addColumn<QByteArray>("spoil");   // written over the kept game's moves
        QTest::addColumn<bool>("resume");
        QTest::addColumn<int>("lost");
        QTest::addColumn<bool>("countedBefore");   // ended and counted, killed before the record went
        QTest::newRow("resumed, then finished") << QByteArray() << true << 1 << false;
        QTest::newRow("declined") << QByteArray() << false << 1 << false;
        QTest::newRow("an impossible move") << QByteArray("c1c1") << true << 0 << false;
        QTest::newRow("a word that is no move") << QByteArray("zz") << true << 0 << false;
        QTest::newRow("counted already") << QByteArray() << true << 1 << true;
    }

    void aKeptGameComesBack()
    {
        QFETCH(QByteArray, spoil);
        QFETCH(bool, resume);
        QFETCH(int, lost);
        QFETCH(bool, countedBefore);
        WindowFixture f;
        Table left;
        f.PlayGame(5, [&] {
            std::vector<Move> moves;
            ListMoves(f.State().table, f.State().deal.GamePileSuit, MoveSet::Every, moves);
            QCOMPARE(PlayerMove(f.State(), *f.form, moves.front()), MoveOutcome::Moved);
            left = f.State().table;
            f.answerer.choices = {2};   // "Riprendi dopo"
            f.form->close();
        });
        QCOMPARE(f.answerer.seen.back().text, QStringLiteral("Finisci il gioco ed esci?"));
        QCOMPARE(f.StoredStatistics().GamesLost, 0);
        const QString kept = f.form->Kept()->Path();
        f.form.reset();
        if (!spoil.isEmpty()) {
            QFile file(kept);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray text = file.readAll();
            text.replace(text.indexOf("\nfine"), 0, " " + spoil);
            QVERIFY(file.seek(0) && file.write(text) == text.size());
        }
        if (countedBefore) {
            QFile file(kept);
            QString why;
            QVERIFY(file.open(QIODevice::ReadOnly));
            GameStatistics counted = f.StoredStatistics();
            CountGame(counted, false);
            counted.LastCounted = ReadRecord(file.readAll(), why)->stamp;
            QVERIFY(SettingsStore(f.StorePath()).SaveStatistics(counted).Ok());
        }

        TForm1 again{SettingsStore(f.StorePath())};
        QVERIFY(!KeptGame(QFileInfo(kept).absolutePath()).Found());   // this copy holds it
        f.answerer.answers = {resume ? QMessageBox::Yes : QMessageBox::No, QMessageBox::Yes};
        bool sameTable = false;
        QTimer resumed;
        QObject::connect(&resumed, &QTimer::timeout, &again, [&] {
            if (!again.State().flags.GameInProgress)
                return;
            resumed.stop();
            sameTable = again.State().table == left;
            FinishGame1Click(again.State(), again);
        });
        resumed.start(5);
        again.OfferKeptGame();
        const QString asked = f.answerer.seen.back().text;
        QCOMPARE(SettingsStore(f.StorePath()).LoadSettings(again.State().Settings, again.State().Statistics).Ok(), true);
        QCOMPARE(again.State().Statistics.GamesLost, lost);
        again.Kept()->Flush();
        QVERIFY(!QFile::exists(kept));
        if (countedBefore) {
            QCOMPARE(asked, QStringLiteral("Finisci il gioco ed esci?"));   // nothing offered, nothing counted
        } else if (lost == 0) {
            QVERIFY(asked.startsWith(QStringLiteral("La partita lasciata in sospeso è danneggiata (")));
            QVERIFY(QFile::exists(QFileInfo(kept).absolutePath() + QStringLiteral("/partita-danneggiato.rec")));
        } else {
            QCOMPARE(f.answerer.seen[1].text, QStringLiteral("Riprendere la partita n. 5?"));
            QCOMPARE(sameTable, resume);
        }
    }

    void exitReleasesTheBuffersAndTheModule()
    {
        WindowFixture f;
        QVERIFY(IdleUntil([&] { return f.form->Cards()->Library().Loaded(); }));
        f.PlayGame(3, [&] { f.form->Menu().GameExit1->trigger(); });
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.form->Painter().TopBuffer().isNull());
        QVERIFY(!f.form->Cards()->Library().Loaded());
        QCOMPARE(f.StoredStatistics().GamesLost, 1);
        // Painting afterwards draws nothing with what was released.
        f.form->Repaint(PaintSender::Window);
        QCOMPARE(f.answerer.seen.size(), std::size_t(1));
    }

    // A module that cannot be read at all is told with two boxes, a picture
    // of it that is damaged with one; then the game goes on without cards.
    // None of the boxes opens inside a paint, where its own event loop would
    // run the window's events on a half-made change.
    void moduleFailureIsToldOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("told");
        QTest::newRow("missing") << "mancante" << "Non riesco a caricare 'ZozAro2.DLL'.";
        QTest::newRow("FIFO") << "fifo" << "Non riesco a caricare 'ZozAro2.DLL'.";
        QTest::newRow("damaged marks") << "segni" << "Errore di caricamento della DLL: numero di bitmap 53";
    }
    void moduleFailureIsToldOnce()
    {
        QFETCH(QString, kind);
        QFETCH(QString, told);
        // Each screen's test program has files of its own: they run side by side.
        const QString module = QStringLiteral("zozaro-%1-%2.dll").arg(kind).arg(ScreenWidth);
        const QDir programFolder(QCoreApplication::applicationDirPath());
        const QByteArray path = QFile::encodeName(programFolder.filePath(module));
        ::unlink(path.constData());
        if (kind == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0644), 0);
        if (kind == "segni")
            QVERIFY(WriteWithDamagedMarks(programFolder.filePath(QStringLiteral("zozaro2.dll")), path));
        WindowFixture f(module);
        bool insidePaint = false;
        f.answerer.onBox = [&](QMessageBox *) {
            insidePaint = insidePaint || f.form->View()->testAttribute(Qt::WA_WState_InPaintEvent);
        };
        QVERIFY(IdleUntil([&] { return f.form->Cards()->Library().Loaded() || !f.answerer.seen.empty(); }));
        // The empty piles' marks are drawn by the window's own paint.
        f.State().paint.FullRepaint = true;
        f.form->View()->repaint();
        const std::size_t boxes = kind == "segni" ? 1 : 2;
        QTRY_COMPARE(f.answerer.seen.size(), boxes);
        QVERIFY(f.form->Cards()->Library().LibraryFailed());
        QCOMPARE(f.answerer.seen[0].text, told);
        QCOMPARE(f.answerer.seen[0].icon, QMessageBox::Critical);
        if (boxes == 2) {
            QCOMPARE(f.answerer.seen[0].caption, QStringLiteral(" Errore di caricamento della DLL"));
            // Where the module was looked for, not where the game was started from.
            QCOMPARE(f.answerer.seen[1].caption, QStringLiteral("Directory attuale"));
            QCOMPARE(f.answerer.seen[1].text, programFolder.absolutePath());
        }
        f.PlayGame(4, [&] {
            f.form->Repaint(PaintSender::Window);
            f.answerer.answers = {QMessageBox::Yes};
            f.form->Menu().FinishGame1->trigger();
        });
        // The game went on without card pictures and no further message came.
        QCOMPARE(f.answerer.seen.size(), boxes + 1);
        QCOMPARE(f.StoredStatistics().GamesLost, 1);
        QVERIFY(!insidePaint);
        ::unlink(path.constData());
    }

    void clockShowsTheElapsedTime()
    {
        WindowFixture f;
        f.PlayGame(5, [&] {
            f.State().flags.GameStartTime = QDateTime::currentDateTime().addSecs(-75);
            Timer1Timer(f.State(), *f.form);
            QCOMPARE(f.form->StatusText(2), QStringLiteral("Tempo di gioco: minuti 01 : 15 secondi"));
            f.form->Menu().GameExit1->trigger();
        });
    }
};

int main(int argc, char **argv)
{
    return RunOnOffscreenScreen<TestMainWindow>(argc, argv, ScreenWidth, ScreenHeight);
}

#include "test_mainwindow.moc"
