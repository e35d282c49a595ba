#include <memory>

#include <QMessageBox>
#include <QtTest>

#include "clipping.h"
#include "dialogs/aboutbox.h"
#include "dialogs/calendarform.h"
#include "dialogs/prompts.h"
#include "dialogtests.h"
#include "store/statsdlg.h"

using namespace quintara;

// The modal dialogs show every caption whole, with the fonts this desktop
// substitutes for the ones they ask for.
class TestWholeTexts : public QObject {
    Q_OBJECT

private slots:
    void dialogsShowWholeTexts_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("statistics") << QStringLiteral("statistics");
        QTest::newRow("about") << QStringLiteral("about");
        QTest::newRow("calendar") << QStringLiteral("calendar");
    }

    void dialogsShowWholeTexts()
    {
        QFETCH(QString, dialog);
        GameStatistics stats;
        stats.GamesWon = 12345;
        stats.GamesLost = 67890;
        std::unique_ptr<QDialog> window;
        if (dialog == QLatin1String("statistics"))
            window = std::make_unique<TStats1Dlg>(stats, [] { return false; }, [] {});
        else if (dialog == QLatin1String("about"))
            window = std::make_unique<TAboutBox>();
        else
            window = std::make_unique<TCalendarForm>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QStringList clipped = test::ClippedControls(window.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    }

    // A short text under a long caption: the box grows to the caption.
    void messageBoxesShowWholeCaptions_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("caption longer") << QStringLiteral("Selezione del nuovo gioco") << QStringLiteral("Sì.");
        QTest::newRow("text longer") << QStringLiteral("Gioco")
                                     << QStringLiteral("Il gioco attuale non è ancora finito, e questa riga è lunga.");
        QTest::newRow("a path of 4000 characters")
            << QStringLiteral("Directory attuale") << QStringLiteral("/cartella").repeated(400) + u'/';
    }

    void messageBoxesShowWholeCaptions()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok);
        int width = 0;
        QTimer::singleShot(0, &box, [&] {
            width = box.width();
            box.accept();
        });
        ExecWithWholeCaption(box);
        QFont bold = box.font();
        bold.setBold(true);
        QVERIFY2(width > QFontMetrics(bold).horizontalAdvance(caption) + 180, qPrintable(QString::number(width)));
        // However long its words, the text wraps within the screen.
        QVERIFY2(width <= box.screen()->availableGeometry().width(), qPrintable(QString::number(width)));
    }
};

namespace quintara::test {

int RunWholeTextTests(int argc, char **argv)
{
    TestWholeTexts tests;
    return QTest::qExec(&tests, argc, argv);
}

} // namespace quintara::test

#include "test_wholetexts.moc"
