#include <QAbstractSpinBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "dialogs/italian.h"
#include "dialogtests.h"

using namespace quintara;

namespace {

enum class Kind { LineEdit, SpinBox, ReadOnlyText };

// The texts of the context menu that a right click on `widget` opens, without
// the shortcuts Qt writes after a tab.
QStringList ContextMenuTexts(QWidget *widget)
{
    QStringList texts;
    const auto read = [&texts] {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup)
            return;
        for (QAction *action : popup->actions()) {
            if (!action->isSeparator())
                texts << action->text().section(QLatin1Char('\t'), 0, 0);
        }
        popup->close();
    };
    // Some widgets run their menu modally, others only pop it up.
    QTimer modal;
    modal.setSingleShot(true);
    QObject::connect(&modal, &QTimer::timeout, read);
    modal.start(0);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(widget, &event);
    if (modal.isActive()) {
        modal.stop();
        read();
    }
    return texts;
}

QStringList ButtonTexts(QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Question, QString(), QString(), buttons);
    QStringList texts;
    for (QAbstractButton *button : box.buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(Kind)

// Run last: the Italian texts stay installed in the application.
class TestItalian : public QObject {
    Q_OBJECT

private slots:
    // A machine without Qt's translation files: our own list speaks.
    void initTestCase()
    {
        QTemporaryDir noTranslations;
        SpeakItalian(*qApp, noTranslations.path());
    }

    void questionBoxButtons_data()
    {
        QTest::addColumn<QMessageBox::StandardButtons>("buttons");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("yes no") << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No)
                                << QStringList{QStringLiteral("&No"), QStringLiteral("&Sì")};
        QTest::newRow("ok cancel") << QMessageBox::StandardButtons(QMessageBox::Ok | QMessageBox::Cancel)
                                   << QStringList{QStringLiteral("Annulla"), QStringLiteral("OK")};
        QTest::newRow("close") << QMessageBox::StandardButtons(QMessageBox::Close)
                               << QStringList{QStringLiteral("Chiudi")};
    }

    void questionBoxButtons()
    {
        QFETCH(QMessageBox::StandardButtons, buttons);
        QFETCH(QStringList, texts);
        QCOMPARE(ButtonTexts(buttons), texts);
    }

    void contextMenus_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("texts");
        const QStringList edit{QStringLiteral("&Annulla"), QStringLiteral("&Ripeti"),  QStringLiteral("&Taglia"),
                               QStringLiteral("&Copia"),   QStringLiteral("I&ncolla"), QStringLiteral("Elimina"),
                               QStringLiteral("Seleziona tutto")};
        QTest::newRow("edit field") << Kind::LineEdit << edit;
        QTest::newRow("spin box") << Kind::SpinBox
                                  << edit.mid(0, 6) + QStringList{QStringLiteral("&Seleziona tutto"),
                                                                  QStringLiteral("&Aumenta"),
                                                                  QStringLiteral("&Diminuisci")};
        QTest::newRow("read-only text") << Kind::ReadOnlyText
                                        << QStringList{QStringLiteral("&Copia"), QStringLiteral("Seleziona tutto")};
    }

    void contextMenus()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, texts);
        QLineEdit edit(QStringLiteral("12"));
        QSpinBox spin;
        QPlainTextEdit memo(QStringLiteral("Quintara"));
        memo.setReadOnly(true);
        QWidget *widget = kind == Kind::LineEdit ? static_cast<QWidget *>(&edit)
                          : kind == Kind::SpinBox ? static_cast<QWidget *>(&spin)
                                                  : static_cast<QWidget *>(&memo);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget));
        QCOMPARE(ContextMenuTexts(kind == Kind::ReadOnlyText ? memo.viewport() : widget), texts);
    }

    // Where Qt's own file is installed, it is taken as well: it knows texts
    // that our list leaves out.
    void qtFileWhenPresent()
    {
        const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(qtDir + QStringLiteral("/qtbase_it.qm")))
            QSKIP("Qt's Italian file is not installed here");
        const char *details = "Show Details...";
        QCOMPARE(QCoreApplication::translate("QMessageBox", details), QString::fromLatin1(details));
        SpeakItalian(*qApp, qtDir);
        QVERIFY(QCoreApplication::translate("QMessageBox", details) != QString::fromLatin1(details));
        QVERIFY(ButtonTexts(QMessageBox::Yes).constFirst().contains(QStringLiteral("Sì")));
    }
};

namespace quintara::test {

int RunItalianTests(int argc, char **argv)
{
    TestItalian tests;
    return QTest::qExec(&tests, argc, argv);
}

} // namespace quintara::test

#include "test_italian.moc"
