#include <memory>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <QAccessible>

#include "core/gamestate.h"
#include "dialogs/prefdlg.h"
#include "dialogs/prefrules.h"
#include "store/store.h"
#include "clipping.h"

using namespace quintara;
using quintara::test::ClippedControls;

namespace {

const QString Wrong = QStringLiteral(" Sbagliato! Prova di nuovo... Assegnazione scorretta.");
const QString SuitSetUp =
    QStringLiteral(" Assegnazione dei semi nelle caselle di arrivo e dello spazio tra colonne.");
const QString PictureCaption = QStringLiteral(" Errore di caricamento dell'immagine");

enum Tab { DisplayTab, PictureTab, SuitTab, SpeedTab };

// A dialog on a store in a folder of its own, with message boxes, pauses
// and event processing written into `log` instead of happening.
struct Rig {
    QTemporaryDir dir;
    GameState state;
    SettingsStore store{dir.filePath(QStringLiteral("registry.reg"))};
    std::unique_ptr<TPrefDlg1> dialog;
    QStringList log;
    QStringList shownDuringPause;  // the status text at each pause
    bool loaded = false;

    explicit Rig(const std::function<void(GameSettings &)> &stored = {})
    {
        GameStatistics statistics;
        loaded = store.LoadSettings(state.Settings, statistics).Ok();
        if (stored) {
            // Settings as a previous run left them in the key.
            stored(state.Settings);
            loaded = loaded && store.StoreDisplayOptions(state.Settings).Ok()
                     && store.StorePicturePath(state.Settings).Ok()
                     && store.StoreSuitOrderAndSpacing(state.Settings, true, true).Ok()
                     && store.StoreSpeed(state.Settings).Ok();
        }
        state.Settings.FlightDelay = 11 - state.Settings.SpeedSlider;
        dialog = std::make_unique<TPrefDlg1>(state, store);
        dialog->SetPrompts({[this](const QString &text, const QString &caption) {
                                log << QStringLiteral("ask %1|%2").arg(caption, text);
                                return false;
                            },
                            [this](const QString &text, const QString &caption, NoticeIcon icon) {
                                log << QStringLiteral("notice %1 %2|%3")
                                           .arg(int(icon))
                                           .arg(caption, text);
                            }});
        dialog->SetPause([this](int ms) {
            log << QStringLiteral("pause %1").arg(ms);
            shownDuringPause << dialog->StatusText();
        });
        dialog->SetProcessEvents([this] { log << QStringLiteral("events"); });
    }

    template <typename T>
    T *Find(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    QTabWidget *Tabs() const { return Find<QTabWidget>("PageControl1"); }
    QString Text(const char *label) const { return Find<QLabel>(label)->text(); }
    void GoTo(int tab) const { Tabs()->setCurrentIndex(tab); }
    void Ok() const { Find<QPushButton>("Button1")->click(); }
    void Press(const QString &buttons) const
    {
        for (QChar k : buttons)
            Find<QPushButton>(qPrintable(QStringLiteral("BitBtn") + k))->click();
    }
    // What the key holds now, read by a store of its own.
    GameSettings Stored() const
    {
        GameSettings settings;
        GameStatistics statistics;
        (void)SettingsStore(store.Path()).LoadSettings(settings, statistics);
        return settings;
    }
    QString WritePicture(const QString &name) const
    {
        const QString path = dir.filePath(name);
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::blue);
        return image.save(path, "BMP") ? path : QString();
    }
    // Types into a field as the player would, which marks it modified.
    void Type(const char *field, const QString &text) const
    {
        QLineEdit *edit = Find<QLineEdit>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
};

QColor Background(const QLabel *label)
{
    return label->palette().color(QPalette::Window);
}

} // namespace

class TestPrefDlg : public QObject {
    Q_OBJECT

private slots:
    void window()
    {
        Rig rig([](GameSettings &s) { s.SpeedSlider = 4; });
        QVERIFY(rig.loaded);
        TPrefDlg1 &dialog = *rig.dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" Preferenze"));
        QCOMPARE(dialog.size(), QSize(466, 287));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!dialog.isModal());
        const QStringList tabs{QStringLiteral("Visualizzazione"), QStringLiteral("Percorso dell'immagine"),
                               QStringLiteral("Selezione del seme"), QStringLiteral("Velocità  ")};
        for (int i = 0; i < tabs.size(); ++i)
            QCOMPARE(rig.Tabs()->tabText(i), tabs[i]);
        QCOMPARE(rig.Find<QLineEdit>("Edit1")->text(), QStringLiteral("sconosciuto"));
        QCOMPARE(rig.Find<QLineEdit>("Edit2")->text(), QStringLiteral("12"));
        QSlider *speed = rig.Find<QSlider>("TrackBar1");
        QCOMPARE(speed->minimum(), 1);
        QCOMPARE(speed->maximum(), 10);
        QCOMPARE(speed->value(), 4);
        QVERIFY(rig.Find<QPushButton>("Button1")->isDefault());
        QVERIFY(!dialog.PageTimer().isActive());
        QCOMPARE(dialog.PageDelay, 500);
        QVERIFY(!dialog.PageDone);
        for (int k = 1; k <= 4; ++k) {
            auto *button = rig.Find<QPushButton>(qPrintable(QStringLiteral("BitBtn%1").arg(k)));
            QCOMPARE(button->text(), QString::number(k));
            QVERIFY(!button->autoDefault());
            QCOMPARE(button->icon().pixmap(17, 18).size(), QSize(17, 18));
        }
    }

    void suitOrder_data()
    {
        QTest::addColumn<QString>("presses");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("storedOrder");  // buttons, as the current order shows them
        QTest::addColumn<QString>("newOrderShown");
        QTest::addColumn<QStringList>("log");
        const QStringList none;
        QTest::newRow("2143") << "2143" << true << "2143" << "    Nuovo ordine: 2143"
                              << QStringList{QStringLiteral("pause 2000")};
        QTest::newRow("a fifth press changes nothing")
            << "21434" << true << "2143" << "    Nuovo ordine: 2143" << QStringList{QStringLiteral("pause 2000")};
        QTest::newRow("1123 chooses hearts twice")
            << "1123" << false << "1234" << "    Nuovo ordine: 0000"
            << QStringList{QStringLiteral("events"), QStringLiteral("pause 4000")};
        QTest::newRow("4324 chooses clubs twice")
            << "4324" << false << "1234" << "    Nuovo ordine: 0000"
            << QStringList{QStringLiteral("events"), QStringLiteral("pause 4000")};
        QTest::newRow("three presses keep the order") << "214" << true << "1234" << "    Nuovo ordine: 2140" << none;
    }

    void suitOrder()
    {
        QFETCH(QString, presses);
        QFETCH(bool, accepted);
        QFETCH(QString, storedOrder);
        QFETCH(QString, newOrderShown);
        QFETCH(QStringList, log);

        Rig rig;
        rig.GoTo(SuitTab);
        QCOMPARE(rig.Text("Label6"), QStringLiteral(" Ordine attuale: 1234"));
        QCOMPARE(rig.Text("Label7"), QStringLiteral("    Nuovo ordine: 0000"));
        rig.Press(presses);
        QCOMPARE(rig.Text("Label7"), QStringLiteral("    Nuovo ordine: ") + presses.left(4).leftJustified(4, u'0'));
        QCOMPARE(Background(rig.Find<QLabel>("Label7")), QColor(0, 255, 0));
        rig.Ok();

        QCOMPARE(rig.log, log);
        QCOMPARE(rig.dialog->PageDone, accepted);
        QVERIFY(rig.dialog->PageTimer().isActive());
        PileSuitOrder expected{};
        for (int pile = 0; pile < 4; ++pile)
            expected[pile] = storedOrder[pile].digitValue() - 1;
        QCOMPARE(rig.state.Settings.PileSuit, expected);
        QCOMPARE(rig.Stored().PileSuit, expected);
        QCOMPARE(rig.state.Settings.PrefsChanged, accepted && presses.size() >= 4);
        QCOMPARE(Background(rig.Find<QLabel>("Label7")), accepted && presses.size() < 4 ? QColor(0, 255, 0) : QColor(Qt::white));
        if (!accepted) {
            QCOMPARE(rig.shownDuringPause, QStringList{Wrong});
            QCOMPARE(rig.dialog->StatusText(), SuitSetUp);
            QCOMPARE(rig.Text("Label7"), newOrderShown);
            // The refusal leaves the dialog on the suit tab.
            rig.dialog->Timer1Timer();
            QCOMPARE(rig.Tabs()->currentIndex(), int(SuitTab));
        } else if (presses.size() >= 4) {
            QCOMPARE(rig.dialog->StatusText(), QStringLiteral(" Nuovo ordine memorizzato nel registro"));
        } else {
            // Nothing about the order, nothing changed: no text of its own.
            QCOMPARE(rig.dialog->StatusText(), QStringLiteral(" Nessuna modifica memorizzata"));
        }
        // The next set-up of the tab shows the order in force.
        rig.GoTo(SpeedTab);
        rig.GoTo(SuitTab);
        QCOMPARE(rig.Text("Label6"), QStringLiteral(" Ordine attuale: ") + storedOrder);
    }

    void spacing_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("delay");
        QTest::addColumn<QStringList>("log");
        const QStringList refused{QStringLiteral("events"), QStringLiteral("pause 4000")};
        QTest::newRow("abc") << 9 << "abc" << 9 << Wrong << 500 << refused;
        QTest::newRow("13") << 9 << "13" << 9 << Wrong << 500 << refused;
        QTest::newRow("5") << 9 << "5" << 9 << Wrong << 500 << refused;
        QTest::newRow("empty") << 9 << "" << 9 << Wrong << 500 << refused;
        const QString stored = QStringLiteral(" Memorizzato il valore modificato nel registro.");
        QTest::newRow("6") << 9 << "6" << 6 << stored << 1000 << QStringList{QStringLiteral("pause 2000")};
        QTest::newRow("12") << 9 << "12" << 12 << stored << 1000 << QStringList{QStringLiteral("pause 2000")};
        QTest::newRow("007 is 7") << 9 << "007" << 7 << stored << 1000 << QStringList{QStringLiteral("pause 2000")};
        QTest::newRow("unchanged") << 9 << "9" << 9 << QStringLiteral(" Nessuna modifica memorizzata") << 1600
                                   << QStringList{};
    }

    void spacing()
    {
        QFETCH(int, current);
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(QString, status);
        QFETCH(int, delay);
        QFETCH(QStringList, log);

        Rig rig([current](GameSettings &s) { s.ColumnSpacing = current; });
        QVERIFY(rig.loaded);
        rig.GoTo(SuitTab);
        QLineEdit *edit = rig.Find<QLineEdit>("Edit2");
        QCOMPARE(edit->text(), QString::number(current));
        rig.Type("Edit2", typed);
        rig.Ok();

        QCOMPARE(rig.log, log);
        QCOMPARE(rig.shownDuringPause.value(0, rig.dialog->StatusText()), status);
        QCOMPARE(rig.state.Settings.ColumnSpacing, stored);
        QCOMPARE(rig.Stored().ColumnSpacing, stored);
        QCOMPARE(rig.dialog->PageTimer().interval(), delay);
        QCOMPARE(rig.dialog->PageDone, status != Wrong);
        // Refused or taken, the field ends up showing the spacing in force, on white.
        QCOMPARE(edit->text(), QString::number(stored));
        QCOMPARE(edit->isModified(), stored == current && status != Wrong);
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::white));
        // A new gap waits for the next deal; it does not ask for a new display.
        QVERIFY(!rig.state.Settings.PrefsChanged);
    }

    void wrongSpacingIsMarkedDuringThePause()
    {
        Rig rig;
        QColor during;
        rig.dialog->SetPause([&](int) { during = rig.Find<QLineEdit>("Edit2")->palette().color(QPalette::Base); });
        rig.GoTo(SuitTab);
        rig.Type("Edit2", QStringLiteral("99"));
        rig.Ok();
        QCOMPARE(during, QColor(255, 255, 0));
        rig.Press(QStringLiteral("1111"));
        rig.dialog->SetPause([&](int) { during = Background(rig.Find<QLabel>("Label7")); });
        rig.Ok();
        QCOMPARE(during, QColor(255, 255, 0));
    }

    void orderAcceptedThenSpacingRefused()
    {
        Rig rig;
        rig.GoTo(SuitTab);
        rig.Press(QStringLiteral("4321"));
        rig.Type("Edit2", QStringLiteral("x"));
        rig.Ok();
        QCOMPARE(rig.log, (QStringList{QStringLiteral("pause 2000"), QStringLiteral("events"), QStringLiteral("pause 4000")}));
        QCOMPARE(rig.Stored().PileSuit, (PileSuitOrder{3, 2, 1, 0}));
        QCOMPARE(rig.Text("Label6"), QStringLiteral(" Ordine attuale: 4321"));
        QVERIFY(!rig.dialog->PageDone);
    }

    void noTextWhileAChangeAwaitsTheMainWindow()
    {
        Rig rig;
        rig.Ok();  // display options, on the first tab
        QVERIFY(rig.state.Settings.PrefsChanged);
        rig.dialog->Timer1Timer();
        rig.dialog->Timer1Timer();
        QCOMPARE(rig.Tabs()->currentIndex(), int(SuitTab));
        rig.Ok();
        QCOMPARE(rig.dialog->StatusText(), SuitSetUp);
        QCOMPARE(rig.dialog->PageTimer().interval(), 500);
    }

    void upDown()
    {
        Rig rig;
        rig.GoTo(SuitTab);
        QLineEdit *edit = rig.Find<QLineEdit>("Edit2");
        QWidget *arrows = rig.Find<QWidget>("UpDown1");
        const QList<QToolButton *> buttons = arrows->findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 2);
        QToolButton *up = buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
        QToolButton *down = up == buttons[0] ? buttons[1] : buttons[0];
        up->click();
        QCOMPARE(edit->text(), QStringLiteral("12"));  // no wrap at the top
        QVERIFY(edit->isModified());
        for (int i = 0; i < 8; ++i)
            down->click();
        QCOMPARE(edit->text(), QStringLiteral("6"));   // nor at the bottom
        edit->setText(QStringLiteral("8"));
        up->click();
        QCOMPARE(edit->text(), QStringLiteral("9"));   // from what the field shows
        rig.Ok();
        QCOMPARE(rig.Stored().ColumnSpacing, 9);
    }

    void picturePath_data()
    {
        QTest::addColumn<QString>("file");   // "" empty path, "picture.bmp" written, else missing
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("status");
        QTest::newRow("empty") << "" << true
                               << " Memorizzato il testo modificato nel registro. Selezione azzerata.";
        QTest::newRow("readable") << "picture.bmp" << true << " Memorizzato il testo modificato nel registro.";
        QTest::newRow("missing") << "missing.bmp" << false
                                 << " Nome scorretto del percorso dell'immagine. Selezione azzerata.";
        QTest::newRow("a folder") << "." << false
                                  << " Nome scorretto del percorso dell'immagine. Selezione azzerata.";
    }

    void picturePath()
    {
        QFETCH(QString, file);
        QFETCH(bool, taken);
        QFETCH(QString, status);

        QTemporaryDir old;
        const QString oldPath = old.filePath(QStringLiteral("old.bmp"));
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(oldPath, "BMP"));
        Rig rig([&](GameSettings &s) {
            s.SWBmpPath = oldPath;
            s.ShowPicture = true;
        });
        QVERIFY(rig.loaded);
        QString path;
        if (file == QStringLiteral("picture.bmp"))
            path = rig.WritePicture(file);
        else if (!file.isEmpty())
            path = rig.dir.filePath(file);

        rig.dialog->OnPrefAct();
        QVERIFY(rig.Find<QCheckBox>("CheckBox2")->isChecked());
        rig.GoTo(PictureTab);
        QCOMPARE(rig.Find<QLineEdit>("Edit1")->text(), oldPath);
        rig.Type("Edit1", path);
        rig.dialog->Edit1Exit();

        QCOMPARE(rig.dialog->StatusText(), status);
        QVERIFY(rig.dialog->PageDone);
        QCOMPARE(rig.dialog->PageDelay, 2000);
        const GameSettings &s = rig.state.Settings;
        const GameSettings stored = rig.Stored();
        QCOMPARE(s.PictureFileOk, !path.isEmpty() && taken);
        // Choosing a file does not switch the picture on; emptying or failing switches it off.
        const bool pictureOn = !path.isEmpty() && taken;
        QCOMPARE(s.ShowPicture, pictureOn);
        QCOMPARE(rig.Find<QCheckBox>("CheckBox2")->isChecked(), pictureOn);
        QLineEdit *edit = rig.Find<QLineEdit>("Edit1");
        QCOMPARE(edit->text(), path);
        if (taken) {
            QVERIFY(rig.log.isEmpty());
            QCOMPARE(s.SWBmpPath, path);
            QCOMPARE(stored.SWBmpPath, path);
            QCOMPARE(stored.ShowPicture, pictureOn);
            QVERIFY(!edit->isModified());
        } else {
            QCOMPARE(rig.log, QStringList{QStringLiteral("notice 2  Errore di caricamento dell'immagine|"
                                                         "Impossibile caricare un'immagine da questo percorso.")});
            QCOMPARE(s.SWBmpPath, oldPath);
            QCOMPARE(stored.SWBmpPath, oldPath);
            QVERIFY(stored.ShowPicture);
            QVERIFY(edit->isModified());
        }
    }

    void pathLeftAsItWas()
    {
        Rig rig;
        rig.GoTo(PictureTab);
        rig.dialog->Edit1Enter();
        rig.dialog->Edit1Exit();
        QCOMPARE(rig.dialog->StatusText(), QStringLiteral(" Nessuna modifica memorizzata"));
        QCOMPARE(rig.dialog->PageDelay, 1600);
        rig.Ok();
        QCOMPARE(rig.dialog->PageTimer().interval(), 1600);
    }

    void pictureCheck_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("readable") << true;
        QTest::newRow("unreadable") << false;
    }

    // At activation the box follows ShowPicture and, switched on by the
    // program, tests the file as a click would: this is how a run learns that
    // its side picture can be shown.
    void pictureCheck()
    {
        QFETCH(bool, readable);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("side.bmp"));
        if (readable)
            QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(path, "BMP"));
        Rig rig([&](GameSettings &s) {
            s.ShowPicture = true;
            s.SWBmpPath = path;
        });
        QVERIFY(rig.loaded);
        QVERIFY(!rig.state.Settings.PictureFileOk);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(rig.dialog.get(), &activate);

        const GameSettings &s = rig.state.Settings;
        QCOMPARE(s.PictureFileOk, readable);
        QCOMPARE(s.ShowPicture, readable);
        QCOMPARE(rig.Find<QCheckBox>("CheckBox2")->isChecked(), readable);
        QCOMPARE(rig.dialog->StatusText(), QStringLiteral(" Settaggio attuale delle opzioni di visualizzazione"));
        if (readable) {
            QVERIFY(rig.log.isEmpty());
        } else {
            QCOMPARE(rig.log, QStringList{QStringLiteral(
                                  "notice 2  Errore di caricamento dell'immagine|"
                                  "Per la selezione occorre il percorso corretto del nome dell'immagine.\n"
                                  "Guarda la pagina di informazione del percorso dell'immagine.")});
            // Nothing is stored by the check itself.
            QVERIFY(rig.Stored().ShowPicture);
            // Ticked by the player, the box tests again and says why it will not stay.
            rig.Find<QCheckBox>("CheckBox2")->click();
            QVERIFY(!rig.Find<QCheckBox>("CheckBox2")->isChecked());
            QCOMPARE(rig.dialog->StatusText(),
                     QStringLiteral(" Selezione annullata a causa di un errore di caricamento dell'immagine."));
            QCOMPARE(rig.log.size(), 2);
        }
    }

    // A desktop that shows the dialog without activating it still gets the
    // start-up test of the picture file, once.
    void showingWithoutActivationCounts()
    {
        Rig rig([](GameSettings &s) {
            s.ShowPicture = true;
            s.SWBmpPath = QStringLiteral("/nowhere/side.bmp");
        });
        QVERIFY(rig.loaded);
        rig.dialog->setAttribute(Qt::WA_ShowWithoutActivating);
        rig.GoTo(SpeedTab);
        rig.dialog->show();
        QTRY_COMPARE(rig.log.size(), 1);
        QVERIFY(rig.log[0].startsWith(QStringLiteral("notice 2  Errore di caricamento dell'immagine|")));
        QCOMPARE(rig.Tabs()->currentIndex(), int(DisplayTab));
        QVERIFY(!rig.state.Settings.ShowPicture);
        QTest::qWait(20);
        QCOMPARE(rig.log.size(), 1);
    }

    void displayOptions()
    {
        Rig rig;
        rig.state.flags.DeepestTop = 7;
        rig.dialog->OnPrefAct();
        rig.Find<QRadioButton>("RadioButton2")->click();
        rig.Find<QCheckBox>("CheckBox1")->click();
        QCheckBox *follows = rig.Find<QCheckBox>("CheckBox3");
        QCOMPARE(follows->text(), QStringLiteral("La carta segue il puntatore"));
        QVERIFY(!follows->isChecked());
        follows->click();
        const GameSettings &s = rig.state.Settings;
        QVERIFY(s.TransferInfo && !s.TimeDisplay && s.TransferDetails && s.CardFollowsPointer);
        QVERIFY(!rig.state.flags.DetailsShown);  // only OK applies it
        rig.Ok();

        QVERIFY(rig.state.flags.DetailsShown);
        QCOMPARE(rig.state.flags.DeepestTop, 0);
        QVERIFY(s.PrefsChanged);
        QCOMPARE(rig.dialog->StatusText(), QStringLiteral(" Opzioni di visualizzazione memorizzate nel registro"));
        const GameSettings stored = rig.Stored();
        QVERIFY(!stored.TimeDisplay);
        QVERIFY(stored.TransferInfo);
        QVERIFY(stored.TransferDetails);
        QVERIFY(!stored.ShowPicture);
        QVERIFY(stored.CardFollowsPointer);
        QVERIFY(rig.dialog->PageDone);
        QVERIFY(rig.dialog->PageTimer().isActive());
        QCOMPARE(rig.dialog->PageTimer().interval(), 2000);
        QVERIFY(rig.log.isEmpty());  // no pause on this tab
    }

    void radioButtons()
    {
        Rig rig([](GameSettings &s) {
            s.TimeDisplay = false;
            s.TransferInfo = false;
        });
        QVERIFY(rig.loaded);
        rig.dialog->OnPrefAct();
        QRadioButton *time = rig.Find<QRadioButton>("RadioButton1");
        QRadioButton *moves = rig.Find<QRadioButton>("RadioButton2");
        // Only a stored state with both flags off leaves both unchecked.
        QVERIFY(!time->isChecked() && !moves->isChecked());
        const GameSettings &s = rig.state.Settings;
        for (QRadioButton *button : {time, time, moves, moves, time}) {
            button->click();
            QVERIFY(button->isChecked());
            // A screen reader hears a radio button, not a check box.
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::RadioButton);
            QVERIFY(time->isChecked() != moves->isChecked());
            QCOMPARE(s.TimeDisplay, time->isChecked());
            QCOMPARE(s.TransferInfo, moves->isChecked());
        }
    }

    void clockWinsOverMovesAtActivation()
    {
        Rig rig([](GameSettings &s) {
            s.TimeDisplay = true;
            s.TransferInfo = true;
        });
        QVERIFY(rig.loaded);
        rig.dialog->OnPrefAct();
        QVERIFY(rig.Find<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(!rig.Find<QRadioButton>("RadioButton2")->isChecked());
        QVERIFY(!rig.state.Settings.TransferInfo);
    }

    void speed_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("undoToDeal");   // "Cancella più mosse" ticked
        QTest::newRow("unchanged") << 8 << 3 << " Valore lasciato invariato" << 1000 << false;
        QTest::newRow("fastest") << 10 << 10 << " Nuovo valore memorizzato nel registro" << 2000 << false;
        QTest::newRow("slowest") << 1 << 1 << " Nuovo valore memorizzato nel registro" << 2000 << false;
        QTest::newRow("undo to the deal") << 8 << 3 << " Nuovo valore memorizzato nel registro" << 1000 << true;
    }

    void speed()
    {
        QFETCH(int, position);
        QFETCH(int, stored);
        QFETCH(QString, status);
        QFETCH(int, delay);
        QFETCH(bool, undoToDeal);

        Rig rig;
        QCOMPARE(rig.state.Settings.SpeedSlider, 8);
        // Another copy of the game writes 3 meanwhile: an unchanged slider must not overwrite it.
        GameSettings other;
        other.SpeedSlider = 3;
        QVERIFY(SettingsStore(rig.store.Path()).StoreSpeed(other).Ok());

        rig.GoTo(SpeedTab);
        QCOMPARE(rig.dialog->StatusText(), QStringLiteral(" Visualizza l'assegnazione attuale."));
        rig.Find<QSlider>("TrackBar1")->setValue(position);
        rig.Find<QCheckBox>("CheckBox4")->setChecked(undoToDeal);
        rig.Ok();
        QCOMPARE(rig.dialog->StatusText(), status);
        QCOMPARE(rig.Stored().SpeedSlider, stored);
        QCOMPARE(rig.Stored().UndoToDeal, undoToDeal);
        QCOMPARE(rig.state.Settings.UndoToDeal, undoToDeal);
        const GameSettings &s = rig.state.Settings;
        QCOMPARE(s.SpeedSlider, position);
        QCOMPARE(s.FlightDelay, 11 - position);
        QCOMPARE(s.PrefsChanged, position != 8);
        QCOMPARE(rig.dialog->PageTimer().interval(), delay);
        rig.dialog->Timer1Timer();
        QCOMPARE(rig.Tabs()->currentIndex(), int(DisplayTab));
    }

    void pageCycle()
    {
        Rig rig;
        rig.state.Layout.window.ClientWidth = 1024;
        rig.state.Layout.window.PlayAreaWidth = 700;
        rig.state.Layout.window.ClientHeight = 700;
        rig.state.Layout.grid.TopStripHeight = 130;
        rig.dialog->OnPrefAct();
        TPrefDlg1 &dialog = *rig.dialog;
        const QTimer &timer = dialog.PageTimer();
        struct Step {
            int tab;
            int delay;
            QString status;  // after the tick, the next tab's entry text
        };
        const Step steps[] = {
            {DisplayTab, 2000, QStringLiteral(" Definisce il percorso dell'immagine della finestra a fianco")},
            {PictureTab, 500, SuitSetUp},  // the path field never had the focus
            {SuitTab, 1600, QStringLiteral(" Visualizza l'assegnazione attuale.")},
            {SpeedTab, 1000, QStringLiteral(" Settaggio attuale delle opzioni di visualizzazione")},
        };
        for (const Step &step : steps) {
            QCOMPARE(rig.Tabs()->currentIndex(), step.tab);
            rig.Ok();
            QVERIFY(timer.isActive());
            QCOMPARE(timer.interval(), step.delay);
            dialog.Timer1Timer();
            QVERIFY(!timer.isActive());
            QCOMPARE(dialog.PageDelay, 500);
            QCOMPARE(rig.dialog->StatusText(), step.status);
            // The main window takes up each change before the next OK.
            rig.state.Settings.PrefsChanged = false;
            if (step.tab == DisplayTab) {
                QCOMPARE(rig.Text("Label4"), QStringLiteral(" Larghezza immagine = 324, Altezza = 570 pixels      "));
                QCOMPARE(rig.Find<QLineEdit>("Edit1")->text(), QString());
            }
        }
        QCOMPARE(rig.Tabs()->currentIndex(), int(DisplayTab));
        // A tick without a finished tab leaves the tab alone.
        dialog.PageDone = false;
        dialog.Timer1Timer();
        QCOMPARE(rig.Tabs()->currentIndex(), int(DisplayTab));
    }

    void timerTicksByItself()
    {
        Rig rig;
        rig.dialog->OnPrefAct();
        rig.GoTo(SpeedTab);
        rig.Ok();  // unchanged speed: 1000 ms
        QCOMPARE(rig.dialog->PageTimer().interval(), 1000);
        QTRY_COMPARE_WITH_TIMEOUT(rig.Tabs()->currentIndex(), int(DisplayTab), 3000);
        QVERIFY(!rig.dialog->PageTimer().isActive());
    }

    void backFromOwnBoxIsNoNewActivation()
    {
        Rig rig;
        TPrefDlg1 &dialog = *rig.dialog;
        dialog.SetPrompts({{}, [&dialog](const QString &, const QString &, NoticeIcon) {
                               QEvent away(QEvent::WindowDeactivate);
                               QCoreApplication::sendEvent(&dialog, &away);
                           }});
        rig.GoTo(PictureTab);
        rig.Type("Edit1", QStringLiteral("/nowhere/at/all.bmp"));
        dialog.Edit1Exit();
        QEvent back(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&dialog, &back);
        QCOMPARE(rig.Tabs()->currentIndex(), int(PictureTab));
        QCOMPARE(rig.Find<QLineEdit>("Edit1")->text(), QStringLiteral("/nowhere/at/all.bmp"));
        // The next activation is a real one again.
        QCoreApplication::sendEvent(&dialog, &back);
        QCOMPARE(rig.Tabs()->currentIndex(), int(DisplayTab));
    }

    // In a live window the field's own focus drives the path: entering shows
    // the stored path, leaving for the OK button stores what was typed.
    void pathFollowsTheFocus()
    {
        Rig rig;
        const QString picture = rig.WritePicture(QStringLiteral("live.bmp"));
        TPrefDlg1 &dialog = *rig.dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(rig.Tabs()->currentIndex(), int(DisplayTab));  // the activation chose the first tab
        rig.GoTo(PictureTab);
        QLineEdit *edit = rig.Find<QLineEdit>("Edit1");
        QVERIFY(edit->hasFocus());
        QCOMPARE(dialog.StatusText(),
                 QStringLiteral(" Correggi o conferma il percorso dell'immagine della finestra a fianco"));
        QTest::keyClicks(edit, picture);
        QTest::mouseClick(rig.Find<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(dialog.StatusText(), QStringLiteral(" Memorizzato il testo modificato nel registro."));
        QCOMPARE(rig.Stored().SWBmpPath, picture);
        QCOMPARE(dialog.PageTimer().interval(), 2000);
        QVERIFY(dialog.PageDone);
    }

    void failedWriteStaysOnTheTab()
    {
        QTemporaryDir dir;
        // The settings folder cannot be made: a file stands where it should be.
        const QString blocker = dir.filePath(QStringLiteral("blocker"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        GameState state;
        SettingsStore store(blocker + QStringLiteral("/registry.reg"));
        TPrefDlg1 dialog(state, store);
        QStringList notices;
        dialog.SetPrompts({{}, [&](const QString &, const QString &caption, NoticeIcon icon) {
                               notices << caption;
                               QCOMPARE(icon, NoticeIcon::Stop);
                           }});
        dialog.SetPause([](int) {});
        dialog.OnPrefAct();
        dialog.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        QCOMPARE(notices, QStringList{QString::fromLatin1(SettingsErrorCaption)});
        QVERIFY(!dialog.PageTimer().isActive());
        QCOMPARE(dialog.StatusText(), QStringLiteral(" Settaggio attuale delle opzioni di visualizzazione"));
    }

    // Every control lies inside its page and shows its whole text, whatever
    // the size of the side area the picture tab reports. With QUINTARA_SHOTS
    // set to a folder, the four tabs are also saved there.
    void tabsLookRight_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("playWidth");
        QTest::addColumn<int>("topStrip");
        QTest::newRow("800x600") << QSize(800, 556) << 675 << 130;
        QTest::newRow("1024x768") << QSize(1024, 700) << 700 << 130;
        QTest::newRow("1920x1200") << QSize(1920, 1156) << 853 << 89;
    }

    void tabsLookRight()
    {
        QFETCH(QSize, client);
        QFETCH(int, playWidth);
        QFETCH(int, topStrip);
        Rig rig;
        rig.state.Layout.window.ClientWidth = client.width();
        rig.state.Layout.window.PlayAreaWidth = playWidth;
        rig.state.Layout.window.ClientHeight = client.height();
        rig.state.Layout.grid.TopStripHeight = topStrip;
        rig.dialog->show();
        rig.dialog->OnPrefAct();
        const QString shots = qEnvironmentVariable("QUINTARA_SHOTS");
        for (int tab = 0; tab < 4; ++tab) {
            rig.GoTo(tab);
            if (tab == SuitTab)
                rig.Press(QStringLiteral("21"));
            if (!shots.isEmpty()) {
                QDir().mkpath(shots);
                QVERIFY(rig.dialog->grab().save(
                    QStringLiteral("%1/prefs-%2-tab%3.png").arg(shots, QTest::currentDataTag()).arg(tab + 1)));
            }
            const QStringList clipped = ClippedControls(rig.Tabs()->widget(tab));
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
        }
        QVERIFY(rig.Find<QLabel>("Label4")->width() >= 276);
    }

    // A field clicked from outside its tab: the tab is entered first, so the
    // field's own text is the one left in the status bar.
    void fieldTextAfterItsTabs_data()
    {
        QTest::addColumn<QString>("from");
        QTest::newRow("from the OK button") << QStringLiteral("Button1");
        QTest::newRow("from a suit button") << QStringLiteral("BitBtn2");
    }

    void fieldTextAfterItsTabs()
    {
        QFETCH(QString, from);
        Rig rig;
        TPrefDlg1 &dialog = *rig.dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        rig.GoTo(SuitTab);
        rig.Find<QWidget>(qPrintable(from))->setFocus(Qt::MouseFocusReason);
        auto *gap = rig.Find<QLineEdit>("Edit2");
        QTest::mouseClick(gap, Qt::LeftButton);
        QVERIFY(gap->hasFocus());
        QCOMPARE(dialog.StatusText(), QStringLiteral(" Correggi o conferma il spazio tra colonne di carte."));
    }

    // Enter in the path field confirms it as a click on OK does: the path is
    // checked before the tab cycle is armed, and a refused one keeps the
    // dialog on its tab with the path as typed.
    void enterInThePathField_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("readable") << true;
        QTest::newRow("missing") << false;
    }

    void enterInThePathField()
    {
        QFETCH(bool, readable);
        Rig rig;
        TPrefDlg1 &dialog = *rig.dialog;
        const QString path = readable ? rig.WritePicture(QStringLiteral("enter.bmp")) : rig.dir.filePath("none.bmp");
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        rig.GoTo(PictureTab);
        QLineEdit *edit = rig.Find<QLineEdit>("Edit1");
        QTest::keyClicks(edit, path);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rig.log.size(), readable ? 0 : 1);
        QCOMPARE(rig.Stored().SWBmpPath, readable ? path : QString());
        QCOMPARE(dialog.PageDone, readable);
        QVERIFY(dialog.PageTimer().isActive());
        dialog.Timer1Timer();
        QCOMPARE(rig.Tabs()->currentIndex(), readable ? int(SuitTab) : int(PictureTab));
        if (!readable) {
            QCOMPARE(edit->text(), path);
            // Back in the field, the refused path is there to be corrected.
            edit->setFocus(Qt::MouseFocusReason);
            QCOMPARE(edit->text(), path);
        }
    }

    // A screen reader names each field after the caption beside it.
    void fieldsAreNamedByTheirCaptions_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::newRow("path") << QStringLiteral("Edit1") << QStringLiteral("Label1");
        QTest::newRow("gap") << QStringLiteral("Edit2") << QStringLiteral("Label12");
        QTest::newRow("speed") << QStringLiteral("TrackBar1") << QStringLiteral("Label8");
    }

    void fieldsAreNamedByTheirCaptions()
    {
        QFETCH(QString, field);
        QFETCH(QString, caption);
        Rig rig;
        QAccessibleInterface *named = QAccessible::queryAccessibleInterface(rig.Find<QWidget>(qPrintable(field)));
        QCOMPARE(named->text(QAccessible::Name).trimmed(), rig.Text(qPrintable(caption)).trimmed());
    }

    // Every button by name, those that show only a picture (a suit, an arrow) too.
    void buttonsAreNamed()
    {
        Rig rig;
        for (QAbstractButton *button : rig.dialog->findChildren<QAbstractButton *>()) {
            const QString name = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
            QVERIFY2(name.size() > 1, qPrintable(button->objectName() + u'|' + name));
        }
    }
};

QTEST_MAIN(TestPrefDlg)
#include "test_prefdlg.moc"
