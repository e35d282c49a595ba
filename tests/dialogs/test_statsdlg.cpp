#include <limits>
#include <vector>

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "dialogtests.h"
#include "dialogs/statsdlg.h"

using namespace quintara;

namespace {

QString Blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

GameStatistics Stats(int won, int lost, int type, int wins, int losses, int runWon, int runLost)
{
    return {won, lost, type, wins, losses, runWon, runLost};
}

struct Question {
    QString text;
    QString caption;
};

// Stands in for the message boxes and remembers what was put to the player.
struct ScriptedPlayer {
    bool answer = true;
    std::vector<Question> questions;
    std::vector<Question> notices;
    std::vector<NoticeIcon> icons;

    Prompts Answers()
    {
        return {
            [this](const QString &text, const QString &caption) {
                questions.push_back({text, caption});
                return answer;
            },
            [this](const QString &text, const QString &caption, NoticeIcon icon) {
                notices.push_back({text, caption});
                icons.push_back(icon);
            },
        };
    }
};

QString LabelText(const QWidget &dialog, const char *name)
{
    auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

} // namespace

class TestStatisticsDialog : public QObject {
    Q_OBJECT

private slots:
    void percentage_data()
    {
        QTest::addColumn<int>("won");
        QTest::addColumn<int>("lost");
        QTest::addColumn<int>("percent");
        QTest::newRow("no games") << 0 << 0 << 0;
        QTest::newRow("1 won, 2 lost") << 1 << 2 << 33;
        QTest::newRow("2 won, 1 lost") << 2 << 1 << 66;
        QTest::newRow("only wins") << 5 << 0 << 100;
        QTest::newRow("only losses") << 0 << 4 << -100;
        QTest::newRow("one loss") << 0 << 1 << -100;
        constexpr int Most = std::numeric_limits<std::int32_t>::max();
        QTest::newRow("huge counts do not overflow") << Most << Most << 50;
        QTest::newRow("edited: nothing played in sum") << 1 << -1 << 0;
        QTest::newRow("edited: negative losses") << 3 << -1 << 100;
        QTest::newRow("edited: negative wins") << -2 << 3 << -100;
    }
    void percentage()
    {
        QFETCH(int, won);
        QFETCH(int, lost);
        QFETCH(int, percent);
        QCOMPARE(WonPercentage(won, lost), percent);
    }

    void texts_data()
    {
        QTest::addColumn<GameStatistics>("stats");
        QTest::addColumn<QStringList>("lines");  // Label2..Label7, Label9..Label11

        const QString run = QStringLiteral("In questa mano:") + Blanks(14);
        const QString total = QStringLiteral("Totale:") + Blanks(31);
        // "vinta:"/"vinte:" or "persa:"/"perse:", the blanks, then the count.
        const auto count = [](const char *stem, int blanks) {
            return [stem, blanks](int n) {
                return QString::fromLatin1(stem) + (n > 1 ? u'e' : u'a') + u':' + Blanks(blanks)
                    + QString::number(n);
            };
        };
        const auto won = count("vint", 7);
        const auto lost = count("pers", 5);
        const auto wins = count("vint", 8);
        const auto losses = count("pers", 6);

        QTest::newRow("no games") << Stats(0, 0, 0, 0, 0, 0, 0)
                                  << QStringList{run + "0%", won(0), lost(0), total + "0%",
                                                 won(0), lost(0), wins(0), losses(0),
                                                 "nessuna consecutiva"};
        QTest::newRow("one game won") << Stats(1, 0, 1, 1, 0, 1, 0)
                                      << QStringList{run + "100%", won(1), lost(0),
                                                     total + "100%", won(1), lost(0), wins(1),
                                                     losses(0), "vinta adesso:  una partita"};
        QTest::newRow("two games won") << Stats(2, 0, 1, 2, 0, 2, 0)
                                       << QStringList{run + "100%", "vinte:       2", lost(0),
                                                      total + "100%", won(2), lost(0),
                                                      "vinte:        2", losses(0),
                                                      "vinte adesso:  2 partite in serie"};
        QTest::newRow("1 won, 2 lost") << Stats(1, 2, 2, 0, 2, 1, 2)
                                       << QStringList{run + "33%", won(1), "perse:     2",
                                                      total + "33%", won(1), lost(2), wins(0),
                                                      "perse:      2",
                                                      "perse adesso:  2 partite in serie"};
        QTest::newRow("losses only") << Stats(0, 4, 2, 0, 4, 0, 3)
                                     << QStringList{run + "-100%", won(0), lost(3),
                                                    total + "-100%", won(0), lost(4), wins(0),
                                                    losses(4), "perse adesso:  4 partite in serie"};
        QTest::newRow("one loss") << Stats(3, 1, 2, 0, 1, 0, 1)
                                  << QStringList{run + "-100%", won(0), lost(1), total + "75%",
                                                 won(3), lost(1), wins(0), losses(1),
                                                 "persa adesso:  una partita"};
        QTest::newRow("one win after losses") << Stats(1, 3, 1, 1, 0, 1, 3)
                                              << QStringList{run + "25%", won(1), lost(3),
                                                             total + "25%", won(1), lost(3),
                                                             wins(1), "persa:      0",
                                                             "vinta adesso:  una partita"};
        QTest::newRow("winning streak of 0") << Stats(0, 0, 1, 0, 0, 0, 0)
                                             << QStringList{run + "0%", won(0), lost(0),
                                                            total + "0%", won(0), lost(0),
                                                            wins(0), losses(0),
                                                            "vinte adesso:  0 partite in serie"};
    }
    void texts()
    {
        QFETCH(GameStatistics, stats);
        QFETCH(QStringList, lines);
        const StatisticsLabels texts = StatisticsTexts(stats);
        QVERIFY(texts.Label11.has_value());
        const QStringList got{texts.Label2, texts.Label3, texts.Label4, texts.Label5,
                              texts.Label6, texts.Label7, texts.Label9, texts.Label10,
                              *texts.Label11};
        QCOMPARE(got, lines);
    }

    void unknownStreakKeepsTheLine()
    {
        GameStatistics stats = Stats(2, 0, 1, 2, 0, 0, 0);
        TStats1Dlg dialog(stats, [] { return false; }, [] {});
        dialog.show();
        QCOMPARE(LabelText(dialog, "Label11"), QStringLiteral("vinte adesso:  2 partite in serie"));
        QVERIFY(!StatisticsTexts(Stats(2, 0, 3, 2, 0, 0, 0)).Label11.has_value());

        dialog.hide();
        stats.StreakType = 3;
        stats.GamesWon = 4;
        dialog.show();
        QCOMPARE(LabelText(dialog, "Label6"), QStringLiteral("vinte:       4"));
        QCOMPARE(LabelText(dialog, "Label11"), QStringLiteral("vinte adesso:  2 partite in serie"));
    }

    void window()
    {
        GameStatistics stats = Stats(1, 2, 2, 0, 2, 0, 0);
        TStats1Dlg dialog(stats, [] { return false; }, [] {});
        QCOMPARE(dialog.windowTitle(), QStringLiteral(" Statistiche di Quintara"));
        QCOMPARE(dialog.size(), QSize(365, 416));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(LabelText(dialog, "Label1"), QStringLiteral("Riassunto"));
        QCOMPARE(LabelText(dialog, "Label8"), QStringLiteral("Consecutive:"));
        auto *title = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(title->font().pixelSize(), 20);
        QVERIFY(title->font().italic() && title->font().underline());
        auto *banner = dialog.findChild<QLabel *>(QStringLiteral("Image1"));
        QCOMPARE(banner->geometry(), QRect(193, 228, 133, 25));
        auto *wipe = dialog.findChild<QPushButton *>(QStringLiteral("BitBtn2"));
        QCOMPARE(wipe->text(), QStringLiteral("Cancella"));
        QCOMPARE(wipe->geometry(), QRect(216, 344, 77, 33));

        // Every showing reads the record afresh.
        dialog.show();
        QCOMPARE(LabelText(dialog, "Label5"), QStringLiteral("Totale:") + Blanks(31) + "33%");
        dialog.hide();
        stats.GamesWon = 2;
        stats.GamesLost = 1;
        dialog.show();
        QCOMPARE(LabelText(dialog, "Label5"), QStringLiteral("Totale:") + Blanks(31) + "66%");
    }

    void resetRefusedDuringAGame()
    {
        const GameStatistics before = Stats(3, 2, 1, 1, 0, 1, 1);
        GameStatistics stats = before;
        int saved = 0;
        TStats1Dlg dialog(stats, [] { return true; }, [&saved] { ++saved; });
        ScriptedPlayer player;
        dialog.SetPrompts(player.Answers());
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("BitBtn2")),
                          Qt::LeftButton);

        QCOMPARE(player.questions.size(), size_t{0});
        QCOMPARE(player.notices.size(), size_t{1});
        QCOMPARE(player.notices[0].text, QStringLiteral("Il gioco dovrebbe essere prima finito."));
        QCOMPARE(player.notices[0].caption, QStringLiteral(" Cancello le statistiche"));
        QCOMPARE(player.icons[0], NoticeIcon::Information);
        QCOMPARE(saved, 0);
        QCOMPARE(stats.GamesWon, before.GamesWon);
        QCOMPARE(stats.RunLost, before.RunLost);
        QCOMPARE(LabelText(dialog, "Label6"), QStringLiteral("vinte:       3"));
    }

    void resetAnsweredNo()
    {
        GameStatistics stats = Stats(3, 2, 1, 1, 0, 1, 1);
        int saved = 0;
        TStats1Dlg dialog(stats, [] { return false; }, [&saved] { ++saved; });
        ScriptedPlayer player;
        player.answer = false;
        dialog.SetPrompts(player.Answers());
        dialog.DelBtnClick();

        QCOMPARE(player.questions.size(), size_t{1});
        QCOMPARE(player.questions[0].text, QStringLiteral("Cancello tutte le statistiche ?"));
        QCOMPARE(player.questions[0].caption, QStringLiteral(" Cancello le statistiche"));
        QCOMPARE(saved, 0);
        QCOMPARE(stats.GamesWon, 3);
        QCOMPARE(stats.StreakType, 1);
        QCOMPARE(stats.RunWon, 1);
    }

    void resetConfirmed()
    {
        GameStatistics stats = Stats(3, 2, 1, 2, 0, 2, 1);
        int saved = 0;
        GameStatistics whenSaved;
        TStats1Dlg dialog(stats, [] { return false; }, [&] {
            ++saved;
            whenSaved = stats;
        });
        ScriptedPlayer player;
        dialog.SetPrompts(player.Answers());
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("BitBtn2")),
                          Qt::LeftButton);

        QCOMPARE(saved, 1);
        for (const GameStatistics &s : {stats, whenSaved}) {
            QCOMPARE(s.GamesWon, 0);
            QCOMPARE(s.GamesLost, 0);
            QCOMPARE(s.StreakType, 0);
            QCOMPARE(s.StreakWins, 0);
            QCOMPARE(s.StreakLosses, 0);
            QCOMPARE(s.RunWon, 0);
            QCOMPARE(s.RunLost, 0);
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(LabelText(dialog, "Label2"), QStringLiteral("In questa mano:") + Blanks(14) + "0%");
        QCOMPARE(LabelText(dialog, "Label3"), QStringLiteral("vinta:") + Blanks(7) + "0");
        QCOMPARE(LabelText(dialog, "Label9"), QStringLiteral("vinta:") + Blanks(8) + "0");
        QCOMPARE(LabelText(dialog, "Label11"), QStringLiteral("nessuna consecutiva"));
    }
};

namespace quintara::test {

int RunStatisticsDialogTests(int argc, char **argv)
{
    TestStatisticsDialog tests;
    return QTest::qExec(&tests, argc, argv);
}

} // namespace quintara::test

#include "test_statsdlg.moc"
