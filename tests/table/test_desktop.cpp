// The main window as a desktop program among others: the pointer it takes
// and gives back, its shortcuts, how its buttons read, and what a screen
// reader learns from it.

#include <QtTest>

#include <QAccessible>
#include <QAction>
#include <QPushButton>

#include "support/screentest.h"
#include "support/windowfixture.h"
#include "table/mainwindow.h"
#include "table/tableview.h"

using namespace quintara;
using namespace quintara::test;

namespace {

QPoint TopCardOf(const GameState &s, int column)
{
    const TableColumn &c = s.table.Columns[column];
    const int top = TopSlot(c).value_or(0);
    return {c.X[top] + 10, c.Y[top] + 10};
}

QAccessibleInterface *Accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    // A card held between two clicks leaves the pointer to the rest of the
    // desktop; however the game ends with the card in the hand, the table's
    // pointer shapes go with it.
    void heldCardTakesNoPointer_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("finish") << QStringLiteral("finish");
        QTest::newRow("clear") << QStringLiteral("clear");
        QTest::newRow("close") << QStringLiteral("close");
    }

    void heldCardTakesNoPointer()
    {
        QFETCH(QString, end);
        WindowFixture f;
        bool held = false;
        QWidget *grabberWhileHeld = nullptr;
        QPixmap heldPointer;
        f.PlayGame(3, [&] {
            TableView *view = f.form->View();
            QTest::mouseClick(view, Qt::LeftButton, {}, TopCardOf(f.State(), 0));
            held = f.State().held.PickedFrom == FromColumn;
            grabberWhileHeld = QWidget::mouseGrabber();
            // As the hover over an accepting column would leave it.
            f.form->SetPointer(Pointer::LargeDown);
            heldPointer = view->cursor().pixmap();
            f.answerer.answers = {QMessageBox::Yes};
            if (end == QLatin1String("finish"))
                f.form->Menu().FinishGame1->trigger();
            else if (end == QLatin1String("clear"))
                f.form->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
            else
                f.form->close();
        });
        QVERIFY(held);
        QCOMPARE(grabberWhileHeld, nullptr);
        // Drawn at the screen's detail, as large as the desktop's own pointers.
        QCOMPARE(heldPointer.devicePixelRatio(), f.form->View()->devicePixelRatioF());
        QCOMPARE(heldPointer.deviceIndependentSize(), QSizeF(32, 32));
        QVERIFY(IdleUntil([&] { return f.form->View()->cursor().shape() == Qt::ArrowCursor; }));
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }

    void disabledButtonsLookDisabled_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("undo") << QStringLiteral("UndoBtn1");
        QTest::newRow("show") << QStringLiteral("ShowBtn1");
    }

    void disabledButtonsLookDisabled()
    {
        QFETCH(QString, button);
        WindowFixture f;
        const QPalette p = f.form->findChild<QPushButton *>(button)->palette();
        QCOMPARE(p.color(QPalette::Active, QPalette::ButtonText), QColor(Qt::black));
        QVERIFY(p.color(QPalette::Disabled, QPalette::ButtonText) != QColor(Qt::black));
    }

    void shortcutsRunTheirCommands_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("command");
        QTest::newRow("new game, ctrl+n") << QKeySequence(Qt::CTRL | Qt::Key_N) << QStringLiteral("NewGame1");
        QTest::newRow("new game, f2") << QKeySequence(Qt::Key_F2) << QStringLiteral("NewGame1");
        QTest::newRow("undo, ctrl+z") << QKeySequence(Qt::CTRL | Qt::Key_Z) << QStringLiteral("MoveUndo1");
        QTest::newRow("exit, ctrl+q") << QKeySequence(Qt::CTRL | Qt::Key_Q) << QStringLiteral("GameExit1");
    }

    void shortcutsRunTheirCommands()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, command);
        WindowFixture f;
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        const MainMenu &m = f.form->Menu();
        QAction *action = command == QLatin1String("NewGame1")    ? m.NewGame1
                          : command == QLatin1String("MoveUndo1") ? m.MoveUndo1
                                                                  : m.GameExit1;
        action->setEnabled(true);   // undo answers only when there is a move to take back
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(f.form.get(), keys);
        QCOMPARE(triggered.size(), 1);
        // The menu shows the first of them beside the command.
        QVERIFY(!action->shortcut().isEmpty());
    }

    void screenReadersLearnTheTable()
    {
        WindowFixture f;
        for (const char *name : {"BitBtn1", "UndoBtn1", "ShowBtn1"}) {
            auto *button = f.form->findChild<QPushButton *>(QString::fromLatin1(name));
            QVERIFY2(!Accessible(button)->text(QAccessible::Name).isEmpty(), name);
            QVERIFY2(!button->toolTip().isEmpty(), name);
        }
        QAccessibleInterface *table = Accessible(f.form->View());
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Tavolo da gioco"));
        QCOMPARE(table->text(QAccessible::Description), QStringLiteral("Nessun gioco in corso."));
        QString during;
        f.PlayGame(4, [&] {
            f.State().flags.GameStartTime = QDateTime::currentDateTime().addSecs(-75);
            QTest::mouseClick(f.form->View(), Qt::LeftButton, {}, TopCardOf(f.State(), 7));
            during = table->text(QAccessible::Description);
            QTest::mouseClick(f.form->View(), Qt::LeftButton, {}, TopCardOf(f.State(), 7));
        });
        QVERIFY2(during.startsWith(QStringLiteral("Carte rimaste: 52. Livello: 1. Tempo di gioco: minuti 01 : 1")),
                 qPrintable(during));
        QVERIFY2(during.contains(QStringLiteral(" Carta selezionata: ")), qPrintable(during));
    }
};

int main(int argc, char **argv)
{
    return RunOnOffscreenScreen<TestDesktop>(argc, argv, 1024, 768);
}

#include "test_desktop.moc"
