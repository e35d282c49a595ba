#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include "store/registrydocument.h"
#include "store/store.h"

using namespace quintara;

namespace {

const QByteArray Header = "Windows Registry Editor Version 5.00\n";
const QByteArray OurSection = "[HKEY_CURRENT_USER\\Software\\Dadivira\\Vazavodo_ru 2.1R2]\n";
const QByteArray OurValues = "\"OrigCardSize\"=dword:00000001\n"
                             "\"TimeDisplay\"=dword:00000001\n"
                             "\"TransferInfo\"=dword:00000000\n"
                             "\"TransferDetails\"=dword:00000000\n"
                             "\"ShowPicture\"=dword:00000000\n"
                             "\"SpeedSlider\"=dword:00000008\n"
                             "\"PileSuit 0\"=dword:00000000\n"
                             "\"PileSuit 1\"=dword:00000001\n"
                             "\"PileSuit 2\"=dword:00000002\n"
                             "\"PileSuit 3\"=dword:00000003\n"
                             "\"Games Won\"=dword:00000000\n"
                             "\"Games Lost\"=dword:00000000\n"
                             "\"Streak Type\"=dword:00000000\n"
                             "\"Streak Wins\"=dword:00000000\n"
                             "\"Streak Losses\"=dword:00000000\n"
                             "\"Column Spacing\"=dword:0000000c\n"
                             "\"SWBmpPath\"=\"\"\n";
const QByteArray FirstRunText = Header + "\n" + OurSection + OurValues + "\n";

QByteArray Edited(QByteArray text, const QByteArray &from, const QByteArray &to)
{
    Q_ASSERT(text.contains(from));
    return text.replace(from, to);
}

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A file with other keys, foreign values inside ours, comments, a default
// value, data over several lines and a very long line.
QByteArray ForeignText()
{
    QByteArray values = Edited(OurValues, "\"TimeDisplay\"", "\"Estraneo\"=dword:00000007\n; nota\n\"TimeDisplay\"");
    values = Edited(values, "\"Games Won\"", "@=\"predefinito\"\nriga senza senso\n\"Games Won\"");
    return Header + "; scritto a mano, è tutto qui\n\n"
           "[HKEY_CURRENT_USER\\Software\\Altro]\n"
           "\"Qualcosa\"=\"resta\"\n"
           "\"Lungo\"=hex:01,02,03,\\\n"
           "  04,05\n\n"
           + OurSection + values
           + "\"Coda\"=hex(2):41,00,\\\n  42,00\n\n"
             "[HKEY_CURRENT_USER\\Software\\Dadivira\\Vazavodo_ru 2.1R2\\Sotto]\n"
             "\"SWBmpPath\"=\"non mio\"\n"
             "\"Enorme\"=\""
           + QByteArray(300000, 'A') + "\"\n\n[-HKEY_CURRENT_USER\\Software\\Vecchio]\n";
}

struct Loaded {
    GameSettings Settings;
    GameStatistics Statistics;
    QStringList Problems;
};

Loaded Load(const QString &path)
{
    Loaded loaded;
    // Run-time fields start dirty, to show that loading resets them.
    loaded.Settings.PictureFileOk = true;
    loaded.Settings.PrefsChanged = true;
    loaded.Statistics.RunWon = 7;
    loaded.Statistics.RunLost = 9;
    loaded.Problems = SettingsStore(path).LoadSettings(loaded.Settings, loaded.Statistics).Problems;
    return loaded;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

    QTemporaryDir Folder;
    QString Path;

private slots:
    void init()
    {
        QVERIFY(Folder.isValid());
        QDir(Folder.path()).removeRecursively();
        QVERIFY(QDir().mkpath(Folder.path()));
        Path = Folder.filePath(QStringLiteral("quintara/registry.reg"));
    }

    void defaultPathFollowsXdg()
    {
        qputenv("XDG_CONFIG_HOME", Folder.path().toUtf8());
        QCOMPARE(SettingsStore::DefaultPath(), Folder.filePath(QStringLiteral("quintara/registry.reg")));
    }

    void firstRun_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray foreign = Header + "\n[HKEY_CURRENT_USER\\Software\\Altro]\n\"X\"=dword:00000002\n";
        QTest::newRow("no file") << QByteArray() << FirstRunText;
        QTest::newRow("empty file") << QByteArray("") << FirstRunText;
        QTest::newRow("only other keys") << foreign << foreign + "\n" + OurSection + OurValues + "\n";
    }
    void firstRun()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        if (!before.isNull())
            Put(Path, before);
        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems, QStringList());
        QCOMPARE(Contents(Path), after);
        GameSettings defaults;
        QCOMPARE(loaded.Settings.SpeedSlider, defaults.SpeedSlider);
        QCOMPARE(loaded.Settings.FlightDelay, 3);
        QCOMPARE(loaded.Settings.PileSuit, defaults.PileSuit);
        QCOMPARE(loaded.Settings.ColumnSpacing, 12);
        QVERIFY(loaded.Settings.OrigCardSize && loaded.Settings.TimeDisplay);
        QVERIFY(!loaded.Settings.PictureFileOk && !loaded.Settings.PrefsChanged);
        QCOMPARE(loaded.Statistics.GamesWon, 0);
        QCOMPARE(loaded.Statistics.RunWon, 0);
        QCOMPARE(loaded.Statistics.RunLost, 0);
        QVERIFY(!QFile::exists(Path + ".lock"));
    }

    void roundTrip()
    {
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY(store.LoadSettings(s, t).Ok());
        s.TimeDisplay = false;
        s.TransferInfo = true;
        s.TransferDetails = true;
        s.ShowPicture = true;
        s.SWBmpPath = QStringLiteral("/home/gianni/immagini/mare.bmp");
        s.PileSuit = {3, 2, 1, 0};
        s.ColumnSpacing = 7;
        s.SpeedSlider = 10;
        t = GameStatistics{12, -5, 2, 0, 3, 1, 1};
        QVERIFY(store.StoreDisplayOptions(s).Ok());
        QVERIFY(store.StorePicturePath(s).Ok());
        QVERIFY(store.StoreSuitOrderAndSpacing(s, true, true).Ok());
        QVERIFY(store.StoreSpeed(s).Ok());
        QVERIFY(store.SaveStatistics(t).Ok());
        QVERIFY(Contents(Path).contains("\"Games Lost\"=dword:fffffffb\n"));

        Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems, QStringList());
        QCOMPARE(loaded.Settings.TimeDisplay, false);
        QCOMPARE(loaded.Settings.TransferInfo, true);
        QCOMPARE(loaded.Settings.TransferDetails, true);
        QCOMPARE(loaded.Settings.ShowPicture, true);
        QCOMPARE(loaded.Settings.SWBmpPath, s.SWBmpPath);
        QCOMPARE(loaded.Settings.PileSuit, s.PileSuit);
        QCOMPARE(loaded.Settings.ColumnSpacing, 7);
        QCOMPARE(loaded.Settings.SpeedSlider, 10);
        QCOMPARE(loaded.Settings.FlightDelay, 1);
        QCOMPARE(loaded.Statistics.GamesWon, 12);
        QCOMPARE(loaded.Statistics.GamesLost, -5);
        QCOMPARE(loaded.Statistics.StreakType, 2);
        QCOMPARE(loaded.Statistics.StreakLosses, 3);
        QCOMPARE(loaded.Statistics.RunWon, 0);

        // Only what changed is written: the order stays as stored.
        s.PileSuit = {1, 0, 2, 3};
        s.ColumnSpacing = 9;
        QVERIFY(store.StoreSuitOrderAndSpacing(s, false, true).Ok());
        loaded = Load(Path);
        QCOMPARE(loaded.Settings.PileSuit, (PileSuitOrder{3, 2, 1, 0}));
        QCOMPARE(loaded.Settings.ColumnSpacing, 9);
    }

    void flagStoredAsFive()
    {
        const QByteArray five = Edited(FirstRunText, "\"TimeDisplay\"=dword:00000001", "\"TimeDisplay\"=dword:00000005");
        const QByteArray picture = Edited(five, "\"ShowPicture\"=dword:00000000", "\"ShowPicture\"=dword:00000005");
        Put(Path, picture);
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY(store.LoadSettings(s, t).Ok());
        QVERIFY(s.TimeDisplay);
        QVERIFY(s.ShowPicture);
        QCOMPARE(Contents(Path), picture);  // loading writes nothing back
        QVERIFY(store.StoreDisplayOptions(s).Ok());
        QCOMPARE(Contents(Path), Edited(FirstRunText, "\"ShowPicture\"=dword:00000000", "\"ShowPicture\"=dword:00000001"));
    }

    void absentPicturePath()
    {
        const QByteArray text = Edited(FirstRunText, "\"SWBmpPath\"=\"\"\n", "");
        Put(Path, text);
        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems, QStringList());
        QVERIFY(loaded.Settings.SWBmpPath.isEmpty());
        QCOMPARE(Contents(Path), text);
    }

    void faultyValues_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("writtenBack");
        QTest::newRow("missing") << QByteArray("\"Games Won\"=dword:00000000\n") << QByteArray()
                                 << QStringList{"Games Won"} << true;
        QTest::newRow("two missing")
            << QByteArray("\"Games Won\"=dword:00000000\n\"Games Lost\"=dword:00000000\n") << QByteArray()
            << QStringList{"Games Won", "Games Lost"} << true;
        QTest::newRow("string") << QByteArray("\"SpeedSlider\"=dword:00000008") << QByteArray("\"SpeedSlider\"=\"9\"")
                                << QStringList{"SpeedSlider"} << false;
        QTest::newRow("nine digits") << QByteArray("\"Streak Wins\"=dword:00000000")
                                     << QByteArray("\"Streak Wins\"=dword:000000003") << QStringList{"Streak Wins"} << false;
        QTest::newRow("hex") << QByteArray("\"OrigCardSize\"=dword:00000001")
                             << QByteArray("\"OrigCardSize\"=hex:00,00,00,00") << QStringList{"OrigCardSize"} << false;
        QTest::newRow("unterminated") << QByteArray("\"TimeDisplay\"=dword:00000001")
                                      << QByteArray("\"TimeDisplay\"=\"1") << QStringList{"TimeDisplay"} << false;
        QTest::newRow("ends in backslash") << QByteArray("\"Games Won\"=dword:00000000")
                                           << QByteArray("\"Games Won\"=\"C:\\") << QStringList{"Games Won"} << false;
        QTest::newRow("path as number") << QByteArray("\"SWBmpPath\"=\"x.bmp\"")
                                        << QByteArray("\"SWBmpPath\"=dword:00000001") << QStringList{"SWBmpPath"} << false;
    }
    void faultyValues()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QStringList, names);
        QFETCH(bool, writtenBack);
        // Values after the faulty ones, to show that loading goes on.
        QByteArray good = Edited(FirstRunText, "\"Streak Losses\"=dword:00000000", "\"Streak Losses\"=dword:00000004");
        good = Edited(good, "\"Column Spacing\"=dword:0000000c", "\"Column Spacing\"=dword:00000007");
        good = Edited(good, "\"SWBmpPath\"=\"\"", "\"SWBmpPath\"=\"x.bmp\"");
        const QByteArray faulty = Edited(good, from, to);
        Put(Path, faulty);

        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems.size(), 1);
        for (const QString &name : names)
            QVERIFY2(loaded.Problems[0].contains(u'"' + name + u'"'), qPrintable(loaded.Problems[0]));
        QVERIFY(loaded.Problems[0].contains(Path));
        QCOMPARE(loaded.Settings.SpeedSlider, 8);
        QCOMPARE(loaded.Settings.FlightDelay, 3);
        QVERIFY(loaded.Settings.OrigCardSize && loaded.Settings.TimeDisplay);
        QCOMPARE(loaded.Statistics.GamesWon, 0);
        QCOMPARE(loaded.Statistics.StreakWins, 0);
        QCOMPARE(loaded.Statistics.StreakLosses, 4);
        QCOMPARE(loaded.Settings.ColumnSpacing, 7);
        QCOMPARE(loaded.Settings.SWBmpPath, names.contains("SWBmpPath") ? QString() : QStringLiteral("x.bmp"));

        // A missing value comes back; one the player may want to mend by hand stays.
        if (writtenBack) {
            QCOMPARE(Load(Path).Problems, QStringList());
            QVERIFY(Contents(Path).contains(from));
        } else {
            QCOMPARE(Contents(Path), faulty);
        }
    }

    void outOfRange_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<QString>("name");
        const QByteArray speed = "\"SpeedSlider\"=dword:00000008";
        const QByteArray spacing = "\"Column Spacing\"=dword:0000000c";
        QTest::newRow("speed 0") << speed << QByteArray("\"SpeedSlider\"=dword:00000000") << 1 << 12 << "SpeedSlider";
        QTest::newRow("speed 25") << speed << QByteArray("\"SpeedSlider\"=dword:00000019") << 10 << 12 << "SpeedSlider";
        QTest::newRow("speed -3") << speed << QByteArray("\"SpeedSlider\"=dword:fffffffd") << 1 << 12 << "SpeedSlider";
        QTest::newRow("spacing 5") << spacing << QByteArray("\"Column Spacing\"=dword:00000005") << 8 << 6 << "Column Spacing";
        QTest::newRow("spacing 13") << spacing << QByteArray("\"Column Spacing\"=dword:0000000D") << 8 << 12 << "Column Spacing";
        QTest::newRow("suit twice") << QByteArray("\"PileSuit 1\"=dword:00000001")
                                    << QByteArray("\"PileSuit 1\"=dword:00000000") << 8 << 12 << "PileSuit 0";
        QTest::newRow("no such suit") << QByteArray("\"PileSuit 3\"=dword:00000003")
                                      << QByteArray("\"PileSuit 3\"=dword:00000004") << 8 << 12 << "PileSuit 3";
    }
    void outOfRange()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, speed);
        QFETCH(int, spacing);
        QFETCH(QString, name);
        const QByteArray shuffled = Edited(Edited(FirstRunText, "\"PileSuit 0\"=dword:00000000", "\"PileSuit 0\"=dword:00000002"),
                                           "\"PileSuit 2\"=dword:00000002", "\"PileSuit 2\"=dword:00000000");
        const bool suitRow = name.startsWith("PileSuit");
        Put(Path, Edited(suitRow ? FirstRunText : shuffled, from, to));
        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems.size(), 1);
        QVERIFY2(loaded.Problems[0].contains(u'"' + name + u'"'), qPrintable(loaded.Problems[0]));
        QCOMPARE(loaded.Settings.SpeedSlider, speed);
        QCOMPARE(loaded.Settings.FlightDelay, 11 - speed);
        QCOMPARE(loaded.Settings.ColumnSpacing, spacing);
        QCOMPARE(loaded.Settings.PileSuit, suitRow ? (PileSuitOrder{0, 1, 2, 3}) : (PileSuitOrder{2, 1, 0, 3}));
        // The sound value went back into the file.
        const Loaded again = Load(Path);
        QCOMPARE(again.Problems, QStringList());
        QCOMPARE(again.Settings.SpeedSlider, speed);
        QCOMPARE(again.Settings.ColumnSpacing, spacing);
    }

    void foreignContentKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray text = ForeignText();
        QByteArray crlf = text;
        crlf.replace("\n", "\r\n");
        QByteArray unended = crlf;
        unended.chop(2);
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QTest::newRow("LF") << text;
        QTest::newRow("CRLF") << crlf;
        QTest::newRow("BOM, CRLF, no last line end") << "\xEF\xBB\xBF" + unended;
        QTest::newRow("UTF-16") << QByteArray(utf16.encode(QString::fromUtf8(crlf)));
    }
    void foreignContentKept()
    {
        QFETCH(QByteArray, bytes);
        Put(Path, bytes);
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY(store.LoadSettings(s, t).Ok());
        QVERIFY(s.SWBmpPath.isEmpty());  // the subkey's value is not ours
        s.TimeDisplay = false;
        s.SWBmpPath = QStringLiteral("a.bmp");
        s.PileSuit = {1, 0, 3, 2};
        s.ColumnSpacing = 10;
        s.SpeedSlider = 2;
        t.GamesWon = 3;
        QVERIFY(store.StoreDisplayOptions(s).Ok());
        QVERIFY(store.StorePicturePath(s).Ok());
        QVERIFY(store.StoreSuitOrderAndSpacing(s, true, true).Ok());
        QVERIFY(store.StoreSpeed(s).Ok());
        QVERIFY(store.SaveStatistics(t).Ok());

        // Whatever form it came in, the file goes back as plain LF UTF-8 with
        // only our values changed.
        QByteArray expected = ForeignText();
        expected = Edited(expected, "\"TimeDisplay\"=dword:00000001", "\"TimeDisplay\"=dword:00000000");
        expected = Edited(expected, "\"SWBmpPath\"=\"\"", "\"SWBmpPath\"=\"a.bmp\"");
        expected = Edited(expected, "\"PileSuit 0\"=dword:00000000", "\"PileSuit 0\"=dword:00000001");
        expected = Edited(expected, "\"PileSuit 1\"=dword:00000001", "\"PileSuit 1\"=dword:00000000");
        expected = Edited(expected, "\"PileSuit 2\"=dword:00000002", "\"PileSuit 2\"=dword:00000003");
        expected = Edited(expected, "\"PileSuit 3\"=dword:00000003", "\"PileSuit 3\"=dword:00000002");
        expected = Edited(expected, "\"Column Spacing\"=dword:0000000c", "\"Column Spacing\"=dword:0000000a");
        expected = Edited(expected, "\"SpeedSlider\"=dword:00000008", "\"SpeedSlider\"=dword:00000002");
        expected = Edited(expected, "\"Games Won\"=dword:00000000", "\"Games Won\"=dword:00000003");
        QCOMPARE(Contents(Path), expected);
    }

    void picturePaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("backslashes") << QStringLiteral("C:\\pics\\a.bmp") << QByteArray("\"SWBmpPath\"=\"C:\\\\pics\\\\a.bmp\"");
        QTest::newRow("quotes, accents") << QStringLiteral("/home/gianni/\"strano\" è ø.bmp")
                                         << QByteArray("\"SWBmpPath\"=\"/home/gianni/\\\"strano\\\" è ø.bmp\"");
        QTest::newRow("ends in backslash") << QStringLiteral("C:\\") << QByteArray("\"SWBmpPath\"=\"C:\\\\\"");
        QTest::newRow("empty") << QString() << QByteArray("\"SWBmpPath\"=\"\"");
    }
    void picturePaths()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, line);
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY(store.LoadSettings(s, t).Ok());
        s.SWBmpPath = path;
        s.ShowPicture = true;
        QVERIFY(store.StorePicturePath(s).Ok());
        QVERIFY(Contents(Path).contains("\n" + line + "\n"));
        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems, QStringList());
        QCOMPARE(loaded.Settings.SWBmpPath, path);
        QVERIFY(loaded.Settings.ShowPicture);
    }

    void handWrittenPath()
    {
        Put(Path, Edited(FirstRunText, "\"SWBmpPath\"=\"\"", "\"SWBmpPath\"=\"C:\\pics\\a.bmp\""));
        QCOMPARE(Load(Path).Settings.SWBmpPath, QStringLiteral("C:\\pics\\a.bmp"));
    }

    void pathWithLineBreak()
    {
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY(store.LoadSettings(s, t).Ok());
        s.SWBmpPath = QStringLiteral("a\nb.bmp");
        const StoreReport report = store.StorePicturePath(s);
        QCOMPARE(report.Problems.size(), 1);
        QVERIFY(report.Text().contains("\"SWBmpPath\"") && report.Text().contains(Path));
        QCOMPARE(Contents(Path), FirstRunText);
    }

    void duplicatedKeyAndValues()
    {
        Put(Path, Edited(FirstRunText, "\"SpeedSlider\"=dword:00000008\n",
                         "\"SpeedSlider\"=dword:00000003\n\"SpeedSlider\"=dword:00000004\n")
                      + "[hkey_current_user\\software\\dadivira\\vazavodo_ru 2.1r2]\n\"speedslider\"=dword:00000005\n");
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY(store.LoadSettings(s, t).Ok());
        QCOMPARE(s.SpeedSlider, 5);  // the last one wins, as on import
        s.SpeedSlider = 6;
        QVERIFY(store.StoreSpeed(s).Ok());
        QCOMPARE(Contents(Path), Edited(FirstRunText, "\"SpeedSlider\"=dword:00000008\n", "")
                                     + "[hkey_current_user\\software\\dadivira\\vazavodo_ru 2.1r2]\n"
                                       "\"SpeedSlider\"=dword:00000006\n");
    }

    void failedWrites_data()
    {
        QTest::addColumn<bool>("underFile");
        QTest::newRow("folder under a file") << true;
        QTest::newRow("file is a folder") << false;
    }
    void failedWrites()
    {
        QFETCH(bool, underFile);
        // Root ignores permissions, so the failures come from the file system's shape.
        if (underFile) {
            Put(Folder.filePath("blocker"), "x");
            Path = Folder.filePath("blocker/quintara/registry.reg");
        } else {
            QVERIFY(QDir().mkpath(Path));
        }
        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems.size(), 1);
        QVERIFY(loaded.Problems[0].contains(Path));
        QCOMPARE(loaded.Settings.SpeedSlider, 8);
        QCOMPARE(loaded.Settings.FlightDelay, 3);

        SettingsStore store(Path);
        GameSettings s;
        s.SpeedSlider = 4;
        const StoreReport speed = store.StoreSpeed(s);
        QCOMPARE(speed.Problems.size(), 1);
        QVERIFY(speed.Text().contains("\"SpeedSlider\"") && speed.Text().contains(Path));
        QVERIFY(store.SaveStatistics(GameStatistics()).Text().contains("\"Games Won\""));
        QCOMPARE(QFileInfo(Path).isDir(), !underFile);
    }

    void damagedFileKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("binary") << QByteArray("\x00\x01\x80\xfe garbage \x00", 14);
        QTest::newRow("no header") << OurSection + "\"Games Won\"=dword:00000005\n";
        QTest::newRow("invalid UTF-8") << FirstRunText + "; \xc3\x28\n";
        QTest::newRow("NUL") << Edited(FirstRunText, "\"Games Won\"=dword:00000000",
                                       QByteArray("\"Games Won\"=dword:0000000\0", 26));
        QTest::newRow("too large") << FirstRunText + "; " + QByteArray(2 << 20, 'x') + "\n";
    }
    void damagedFileKeptAside()
    {
        QFETCH(QByteArray, bytes);
        Put(Path, bytes);
        Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems.size(), 1);
        QVERIFY(loaded.Problems[0].contains(Path + ".bad"));
        QCOMPARE(Contents(Path), FirstRunText);
        QCOMPARE(Contents(Path + ".bad"), bytes);

        // A second damage never overwrites the first copy.
        Put(Path, "rotto");
        loaded = Load(Path);
        QVERIFY(loaded.Problems.join(' ').contains(Path + ".2.bad"));
        QCOMPARE(Contents(Path + ".bad"), bytes);
        QCOMPARE(Contents(Path + ".2.bad"), QByteArray("rotto"));
        QCOMPARE(Contents(Path), FirstRunText);
    }

    void keyLostWhileRunning_data()
    {
        QTest::addColumn<QByteArray>("replacement");
        QTest::newRow("deleted") << QByteArray();
        QTest::newRow("damaged") << QByteArray("\x80\x81 rotto");
    }
    void keyLostWhileRunning()
    {
        QFETCH(QByteArray, replacement);
        const QByteArray won = Edited(FirstRunText, "\"Games Won\"=dword:00000000", "\"Games Won\"=dword:00000005");
        Put(Path, won);
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY(store.LoadSettings(s, t).Ok());
        if (replacement.isNull())
            QVERIFY(QFile::remove(Path));
        else
            Put(Path, replacement);
        s.SpeedSlider = 9;
        const StoreReport report = store.StoreSpeed(s);
        QCOMPARE(report.Problems.size(), replacement.isNull() ? 0 : 1);
        // The key comes back whole from what this copy of the game holds.
        QCOMPARE(Contents(Path), Edited(won, "\"SpeedSlider\"=dword:00000008", "\"SpeedSlider\"=dword:00000009"));
        if (!replacement.isNull())
            QCOMPARE(Contents(Path + ".bad"), replacement);
    }

    void twoCopiesWriting()
    {
        const QByteArray foreign = "[HKEY_CURRENT_USER\\Software\\Altro]\n\"X\"=dword:00000002\n\n";
        Put(Path, FirstRunText + foreign);
        const int count = 150;
        // One copy stores statistics, the other the speed: a write that does not
        // re-read under the lock would throw the other copy's last value away.
        QProcess statistics;
        QProcess speed;
        statistics.start(STORE_WRITER, {Path, "statistics", QString::number(count)});
        speed.start(STORE_WRITER, {Path, "speed", QString::number(count)});
        for (QProcess *writer : {&statistics, &speed}) {
            QVERIFY(writer->waitForFinished(120000));
            QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
        }
        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems, QStringList());
        const GameStatistics &t = loaded.Statistics;
        for (const int value : {t.GamesWon, t.GamesLost, t.StreakType, t.StreakWins, t.StreakLosses})
            QCOMPARE(value, count - 1);
        QCOMPARE(loaded.Settings.SpeedSlider, (count - 1) % 10 + 1);
        QVERIFY(Contents(Path).endsWith(foreign));
        QVERIFY(QDir(QFileInfo(Path).absolutePath()).entryList({"*.bad"}).isEmpty());
    }

    void fileWholeWhileWritingAndAfterKill()
    {
        Put(Path, FirstRunText);
        for (int round = 0; round < 3; ++round) {
            QProcess writer;
            writer.start(STORE_WRITER, {Path, "statistics", "100000000"});
            QVERIFY(writer.waitForStarted());
            // Readers take no lock: the file must be whole at every moment.
            QElapsedTimer waited;
            waited.start();
            for (std::uint32_t written = 0; written <= 20;) {
                const QByteArray bytes = Contents(Path);
                QVERIFY(bytes.startsWith(Header) && bytes.endsWith("\"SWBmpPath\"=\"\"\n\n"));
                const std::optional<RegistryDocument> document = RegistryDocument::Parse(bytes);
                QVERIFY(document);
                written = document->Value(QString::fromLatin1(OurSection.mid(1, OurSection.size() - 3)),
                                          QStringLiteral("Games Won"))->Dword;
                QVERIFY(waited.elapsed() < 60000);
            }
            writer.kill();
            QVERIFY(writer.waitForFinished());

            const Loaded loaded = Load(Path);
            QCOMPARE(loaded.Problems, QStringList());
            QCOMPARE(loaded.Statistics.StreakLosses, loaded.Statistics.GamesWon);
            // A lock the killed copy left behind holds nobody up: a lock still
            // held would outlast the store's wait and fail the write.
            QVERIFY(SettingsStore(Path).SaveStatistics(GameStatistics()).Ok());
        }
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
