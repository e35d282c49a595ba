#include <cerrno>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/mount.h>
#include <unistd.h>

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

// A copy of the game that starts, wins a game and stores it, and says nothing.
void WinOneGame(const QString &path)
{
    SettingsStore store(path);
    GameSettings s;
    GameStatistics t;
    QVERIFY(store.LoadSettings(s, t).Ok());
    CountGame(t, true);
    QVERIFY(store.SaveStatistics(t).Ok());
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

    QTemporaryDir Folder;
    QString Path;

    bool Mounted = false;

    // A 16 KiB disk over the test's folder, seen only by this thread and the
    // processes it starts (and gone with them): it needs the right to mount.
    bool MountTinyDisk()
    {
        const QByteArray folder = QFile::encodeName(Folder.path());
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=16k") != 0)
            return false;
        Mounted = true;
        return true;
    }

    // Takes every byte the disk has left.
    void FillDisk()
    {
        const int fd = ::open(QFile::encodeName(Folder.filePath("riempitivo")).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        const char byte = 'x';
        while (::write(fd, &byte, 1) == 1) {
        }
        QCOMPARE(errno, ENOSPC);
        ::close(fd);
    }

    // The n-th copy kept of a damaged file.
    QString Kept(int n) const
    {
        return QFileInfo(Path).absolutePath() + QStringLiteral("/registry-danneggiato")
               + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) + QStringLiteral(".reg");
    }

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
        // A relative one would split the statistics by the folder the game starts from.
        qputenv("XDG_CONFIG_HOME", "configurazione");
        QCOMPARE(SettingsStore::DefaultPath(), QDir::homePath() + QStringLiteral("/.config/quintara/registry.reg"));
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
        s.CardFollowsPointer = true;
        s.UndoToDeal = true;
        s.SWBmpPath = QStringLiteral("/home/gianni/immagini/mare.bmp");
        s.PileSuit = {3, 2, 1, 0};
        s.ColumnSpacing = 7;
        s.SpeedSlider = 10;
        for (const bool won : {true, false, false})
            CountGame(t, won);
        t.LastCounted = 0xfedcba98;
        QVERIFY(store.StoreDisplayOptions(s).Ok());
        QVERIFY(store.StorePicturePath(s).Ok());
        QVERIFY(store.StoreSuitOrderAndSpacing(s, true, true).Ok());
        QVERIFY(store.StoreSpeed(s).Ok());
        QVERIFY(store.StoreUndoToDeal(s).Ok());
        QVERIFY(store.SaveStatistics(t).Ok());
        QVERIFY(Contents(Path).contains("\"Games Lost\"=dword:00000002\n"));

        Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems, QStringList());
        QCOMPARE(loaded.Settings.TimeDisplay, false);
        QCOMPARE(loaded.Settings.TransferInfo, true);
        QCOMPARE(loaded.Settings.TransferDetails, true);
        QCOMPARE(loaded.Settings.ShowPicture, true);
        QCOMPARE(loaded.Settings.CardFollowsPointer, true);
        QCOMPARE(loaded.Settings.UndoToDeal, true);
        QCOMPARE(loaded.Settings.SWBmpPath, s.SWBmpPath);
        QCOMPARE(loaded.Settings.PileSuit, s.PileSuit);
        QCOMPARE(loaded.Settings.ColumnSpacing, 7);
        QCOMPARE(loaded.Settings.SpeedSlider, 10);
        QCOMPARE(loaded.Settings.FlightDelay, 1);
        QCOMPARE(loaded.Statistics.GamesWon, 1);
        QCOMPARE(loaded.Statistics.LastCounted, 0xfedcba98u);
        QCOMPARE(loaded.Statistics.GamesLost, 2);
        QCOMPARE(loaded.Statistics.StreakType, 2);
        QCOMPARE(loaded.Statistics.StreakLosses, 2);
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

    // A value that reads plainly as a number is used, whatever its kind;
    // one that cannot be read gives way to its first value, and the file as
    // it was is kept beside the new one.
    void faultyValues_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("won");
        const QByteArray won = "\"Games Won\"=dword:00000000";
        QTest::newRow("missing") << QByteArray("\"Games Won\"=dword:00000000\n") << QByteArray()
                                 << QStringList{"Games Won"} << 0;
        QTest::newRow("two missing")
            << QByteArray("\"Games Won\"=dword:00000000\n\"Games Lost\"=dword:00000000\n") << QByteArray()
            << QStringList{"Games Won", "Games Lost"} << 0;
        QTest::newRow("number as text") << won << QByteArray("\"Games Won\"=\"12\"") << QStringList() << 12;
        QTest::newRow("signed text") << won << QByteArray("\"Games Won\"=\" +3 \"") << QStringList() << 3;
        QTest::newRow("nine digits") << won << QByteArray("\"Games Won\"=dword:00000000c") << QStringList() << 12;
        QTest::newRow("one digit") << won << QByteArray("\"Games Won\"=dword:f") << QStringList() << 15;
        QTest::newRow("word") << won << QByteArray("\"Games Won\"=\"dodici\"") << QStringList{"Games Won"} << 0;
        QTest::newRow("beyond 32 bits") << won << QByteArray("\"Games Won\"=dword:100000000")
                                        << QStringList{"Games Won"} << 0;
        QTest::newRow("text beyond 32 bits") << won << QByteArray("\"Games Won\"=\"2147483648\"")
                                             << QStringList{"Games Won"} << 0;
        QTest::newRow("hex") << QByteArray("\"OrigCardSize\"=dword:00000001")
                             << QByteArray("\"OrigCardSize\"=hex:00,00,00,00") << QStringList{"OrigCardSize"} << 0;
        QTest::newRow("unterminated") << QByteArray("\"TimeDisplay\"=dword:00000001")
                                      << QByteArray("\"TimeDisplay\"=\"1") << QStringList{"TimeDisplay"} << 0;
        QTest::newRow("ends in backslash") << won << QByteArray("\"Games Won\"=\"C:\\") << QStringList{"Games Won"} << 0;
        QTest::newRow("path as number") << QByteArray("\"SWBmpPath\"=\"x.bmp\"")
                                        << QByteArray("\"SWBmpPath\"=dword:00000001") << QStringList{"SWBmpPath"} << 0;
        // Counts no game makes: set right, and the file kept as it was.
        QTest::newRow("won ffffffff") << won << QByteArray("\"Games Won\"=dword:ffffffff") << QStringList{"Games Won"} << 0;
        QTest::newRow("won -3 as text") << won << QByteArray("\"Games Won\"=\" -3 \"") << QStringList{"Games Won"} << 0;
        QTest::newRow("streak of 2^31") << QByteArray("\"Streak Wins\"=dword:00000000")
                                        << QByteArray("\"Streak Wins\"=dword:80000000") << QStringList{"Streak Wins"} << 0;
        QTest::newRow("streak kind 9") << QByteArray("\"Streak Type\"=dword:00000000")
                                       << QByteArray("\"Streak Type\"=dword:00000009") << QStringList{"Streak Type"} << 0;
    }
    void faultyValues()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QStringList, names);
        QFETCH(int, won);
        // Values after the faulty ones, to show that loading goes on.
        QByteArray good = Edited(FirstRunText, "\"Streak Losses\"=dword:00000000", "\"Streak Losses\"=dword:00000004");
        good = Edited(good, "\"Column Spacing\"=dword:0000000c", "\"Column Spacing\"=dword:00000007");
        good = Edited(good, "\"SWBmpPath\"=\"\"", "\"SWBmpPath\"=\"x.bmp\"");
        const QByteArray faulty = Edited(good, from, to);
        Put(Path, faulty);

        const Loaded loaded = Load(Path);
        const QString text = loaded.Problems.join(u'\n');
        QCOMPARE(loaded.Problems.isEmpty(), names.isEmpty());
        for (const QString &name : names)
            QVERIFY2(text.contains(u'"' + name + u'"') && text.contains(Path), qPrintable(text));
        QVERIFY(loaded.Settings.OrigCardSize && loaded.Settings.TimeDisplay);
        QCOMPARE(loaded.Statistics.GamesWon, won);
        QCOMPARE(loaded.Statistics.StreakLosses, 4);
        QCOMPARE(loaded.Settings.ColumnSpacing, 7);
        QCOMPARE(loaded.Settings.SWBmpPath, names.contains("SWBmpPath") ? QString() : QStringLiteral("x.bmp"));

        // What could not be read is in the copy, which the player is told of;
        // the file holds sound values at once, so the player is told only once.
        const bool unreadable = !names.isEmpty() && !to.isEmpty();
        QCOMPARE(text.contains(Kept(1)), unreadable);
        QCOMPARE(Contents(Kept(1)), unreadable ? faulty : QByteArray());
        const Loaded again = Load(Path);
        QCOMPARE(again.Problems, QStringList());
        QCOMPARE(again.Statistics.GamesWon, won);
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
        QStringEncoder bare(QStringConverter::Utf16LE);
        QTest::newRow("UTF-16 without BOM") << QByteArray(bare.encode(QString::fromUtf8(crlf)));
        QByteArray mac = text;
        QTest::newRow("CR line ends") << mac.replace("\n", "\r");
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
        for (int game = 0; game < 3; ++game)
            CountGame(t, true);
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
        expected = Edited(expected, "\"Streak Type\"=dword:00000000", "\"Streak Type\"=dword:00000001");
        expected = Edited(expected, "\"Streak Wins\"=dword:00000000", "\"Streak Wins\"=dword:00000003");
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
        // A folder in the way stays as it was; where there is no file, none is said to.
        QCOMPARE(speed.Text().contains("com'era"), !underFile);
        GameStatistics t;
        CountGame(t, true);
        QVERIFY(store.SaveStatistics(t).Text().contains("le statistiche"));
        QCOMPARE(QFileInfo(Path).isDir(), !underFile);
    }

    // A null `bytes`: a FIFO, which a plain open would wait on for ever.
    void damagedFileKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("binary") << QByteArray("\x00\x01\x80\xfe garbage \x00", 14) << FirstRunText;
        QTest::newRow("text but no export") << QByteArray("Games Won = 5\n") << FirstRunText;
        QTest::newRow("FIFO") << QByteArray() << FirstRunText;
        // Too large to keep in memory: the statistics are read from it all the same.
        const QByteArray five = Edited(FirstRunText, "\"Games Won\"=dword:00000000", "\"Games Won\"=dword:00000005");
        QTest::newRow("too large") << five + "; " + QByteArray(2 << 20, 'x') + "\n" << five;
        QTest::newRow("too large, key at the end")
            << Header + "; " + QByteArray(3 << 20, 'x') + "\n\n" + five.mid(Header.size() + 1) << five;
    }
    void damagedFileKeptAside()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, after);
        if (bytes.isNull()) {
            QDir().mkpath(QFileInfo(Path).absolutePath());
            QCOMPARE(::mkfifo(QFile::encodeName(Path).constData(), 0644), 0);
        } else {
            Put(Path, bytes);
        }
        Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems.size(), 1);
        QVERIFY(loaded.Problems[0].contains(Kept(1)));
        QCOMPARE(Contents(Path), after);
        if (bytes.isNull())
            QVERIFY(!QFileInfo(Kept(1)).isFile() && QFileInfo::exists(Kept(1)));
        else
            QCOMPARE(Contents(Kept(1)), bytes);
        QCOMPARE(Load(Path).Problems, QStringList());

        // A second damage never overwrites the first copy.
        Put(Path, "rotto");
        loaded = Load(Path);
        QVERIFY(loaded.Problems.join(' ').contains(Kept(2)));
        QCOMPARE(Contents(Kept(2)), QByteArray("rotto"));
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
            QCOMPARE(Contents(Kept(1)), replacement);
    }

    // Files the player's values survive in: what can be read is used, and
    // what cannot is in the kept copy, of which the player is told.
    void damagedFileRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("won");
        QTest::addColumn<int>("lost");
        QTest::addColumn<bool>("kept");
        const QByteArray foreign = "[HKEY_CURRENT_USER\\Software\\Altro]\n\"Qualcosa\"=\"resta\"\n\n";
        const QByteArray player = Edited(Edited(Header + "\n" + foreign + OurSection + OurValues + "\n",
                                                "\"Games Won\"=dword:00000000", "\"Games Won\"=dword:00000005"),
                                         "\"Games Lost\"=dword:00000000", "\"Games Lost\"=dword:00000007");
        const QByteArray section = OurSection.chopped(1);
        QTest::newRow("key line without its closing bracket")
            << Edited(player, section, section.chopped(1)) << 5 << 7 << true;
        QTest::newRow("key line without its opening bracket")
            << Edited(player, section, section.mid(1)) << 5 << 7 << true;
        QTest::newRow("Latin-1 letter in a comment") << Edited(player, foreign, foreign + "; caff\xe8\n") << 5 << 7 << true;
        QTest::newRow("Latin-1 letter in the header line")
            << Edited(player, "Version", "Versi\xf6n") << 5 << 7 << true;
        QTest::newRow("NUL in a value not ours")
            << Edited(player, "\"resta\"", QByteArray("\"re\0sta\"", 8)) << 5 << 7 << true;
        QTest::newRow("NUL in one of ours")
            << Edited(player, "dword:00000007", QByteArray("dword:0000000\0", 14)) << 5 << 0 << true;
        // Too damaged to be sure it is ours: its values stay in the copy.
        QTest::newRow("broken UTF-8 in the key line")
            << Edited(player, "Vazavodo_ru 2.1R2]", "Vazavodo_ru 2.1R\xc3") << 0 << 0 << true;
        QTest::newRow("no header line") << player.mid(Header.size()) << 5 << 7 << false;
        QTest::newRow("key line lost") << Edited(player, OurSection, "") << 0 << 0 << true;
        QTest::newRow("blank inside the key line's brackets")
            << Edited(player, "2.1R2]", "2.1R2 ] ") << 5 << 7 << false;
        QTest::newRow("key line garbled") << Edited(player, OurSection, "[HKEY_CURRENT_USER\\Software\\Dadivira\\Vazavodo_ru 2.1R2]]x\n")
                                          << 0 << 0 << true;
    }
    void damagedFileRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, won);
        QFETCH(int, lost);
        QFETCH(bool, kept);
        Put(Path, bytes);
        const Loaded loaded = Load(Path);
        const QString text = loaded.Problems.join(u'\n');
        QCOMPARE(loaded.Statistics.GamesWon, won);
        QCOMPARE(loaded.Statistics.GamesLost, lost);
        QCOMPARE(!loaded.Problems.isEmpty(), kept);
        QCOMPARE(text.contains(Kept(1)), kept);
        QCOMPARE(Contents(Kept(1)), kept ? bytes : QByteArray());

        // The file is sound again: the next start says nothing, the next
        // game adds to the values read, the value not ours is still there.
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY2(store.LoadSettings(s, t).Ok(), qPrintable(store.LoadSettings(s, t).Text()));
        CountGame(t, true);
        QVERIFY(store.SaveStatistics(t).Ok());
        const Loaded after = Load(Path);
        QCOMPARE(after.Problems, QStringList());
        QCOMPARE(after.Statistics.GamesWon, won + 1);
        QCOMPARE(after.Statistics.GamesLost, lost);
        const std::optional<RegistryDocument> document = RegistryDocument::Parse(Contents(Path));
        QVERIFY(document && document->Value("HKEY_CURRENT_USER\\Software\\Altro", "Qualcosa"));
        QVERIFY(!QFile::exists(Kept(2)));
    }

    // Hex data whose last line still asks for one more: a value the game
    // sets after it is never taken for more data.
    void danglingContinuation_data()
    {
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("at the end of the file") << QByteArray();
        QTest::newRow("before another key") << QByteArray("[HKEY_CURRENT_USER\\Software\\Altro]\n\"X\"=dword:00000002\n");
    }
    void danglingContinuation()
    {
        QFETCH(QByteArray, after);
        Put(Path, Header + "\n" + OurSection + Edited(OurValues, "\"SWBmpPath\"=\"\"\n", "") + "\"Coda\"=hex:01,02,\\\n" + after);
        SettingsStore store(Path);
        GameSettings s;
        GameStatistics t;
        QVERIFY(store.LoadSettings(s, t).Ok());
        s.SWBmpPath = QStringLiteral("mare.bmp");
        QVERIFY(store.StorePicturePath(s).Ok());
        s.SpeedSlider = 3;
        QVERIFY(store.StoreSpeed(s).Ok());
        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems, QStringList());
        QCOMPARE(loaded.Settings.SWBmpPath, QStringLiteral("mare.bmp"));
        QCOMPARE(loaded.Settings.SpeedSlider, 3);
        QVERIFY(Contents(Path).contains("\"Coda\"=hex:01,02,\\\n"));
        QVERIFY(Contents(Path).endsWith(after.isEmpty() ? QByteArray("\"SWBmpPath\"=\"mare.bmp\"\n") : after));
    }

    // Two copies of the game, each with its own idea of the totals, finish
    // games in turn: every game counts, and the streak is the one of the
    // games as they ended. "a" and "b" are the copies, W won, L lost, R the
    // player's reset; the copies load at the start.
    void copiesAddUp_data()
    {
        QTest::addColumn<QString>("games");
        QTest::addColumn<QList<int>>("stored");  // won, lost, streak type, wins, losses
        QTest::newRow("one each") << "aW bL" << QList<int>{1, 1, 2, 0, 1};
        QTest::newRow("streak goes on across copies") << "aW bW aW" << QList<int>{3, 0, 1, 3, 0};
        QTest::newRow("streak broken by the other copy") << "aW aW bL aW" << QList<int>{3, 1, 1, 1, 0};
        QTest::newRow("reset in one copy") << "aW bW aR bL" << QList<int>{0, 1, 2, 0, 1};
        QTest::newRow("at the largest counts") << "aW bW" << QList<int>{0x7fffffff, 0x7fffffff, 1, 0x7fffffff, 0};
    }
    void copiesAddUp()
    {
        QFETCH(QString, games);
        QFETCH(QList<int>, stored);
        const bool largest = stored[0] == 0x7fffffff;
        QByteArray text = FirstRunText;
        if (largest) {
            text = Edited(text, "\"Games Won\"=dword:00000000", "\"Games Won\"=dword:7ffffffe");
            text = Edited(text, "\"Games Lost\"=dword:00000000", "\"Games Lost\"=dword:7fffffff");
            text = Edited(text, "\"Streak Type\"=dword:00000000", "\"Streak Type\"=dword:00000001");
            text = Edited(text, "\"Streak Wins\"=dword:00000000", "\"Streak Wins\"=dword:7fffffff");
        }
        Put(Path, text);
        struct Copy {
            SettingsStore Store;
            GameSettings Settings;
            GameStatistics Statistics;
        };
        Copy a{SettingsStore(Path), {}, {}};
        Copy b{SettingsStore(Path), {}, {}};
        for (Copy *copy : {&a, &b})
            QVERIFY(copy->Store.LoadSettings(copy->Settings, copy->Statistics).Ok());
        for (const QString &game : games.split(u' ')) {
            Copy &copy = game[0] == u'a' ? a : b;
            if (game[1] == u'R')
                copy.Statistics = GameStatistics();
            else
                CountGame(copy.Statistics, game[1] == u'W');
            QVERIFY(copy.Store.SaveStatistics(copy.Statistics).Ok());
        }
        const GameStatistics &t = Load(Path).Statistics;
        QCOMPARE((QList<int>{t.GamesWon, t.GamesLost, t.StreakType, t.StreakWins, t.StreakLosses}), stored);
        // The copy that saved last shows what is stored.
        const Copy &last = games.back() == u'a' || games.at(games.size() - 2) == u'a' ? a : b;
        QCOMPARE(last.Statistics.GamesWon, t.GamesWon);
        QCOMPARE(last.Statistics.StreakWins, t.StreakWins);
    }

    void twoCopiesWriting()
    {
        const QByteArray foreign = "[HKEY_CURRENT_USER\\Software\\Altro]\n\"X\"=dword:00000002\n\n";
        Put(Path, FirstRunText + foreign);
        const int count = 100;
        // Two copies finish games at the same moments while a third stores a
        // setting: a write that does not add to what is stored under the lock
        // throws the other copy's games away.
        QProcess wins;
        QProcess losses;
        QProcess speed;
        wins.start(STORE_WRITER, {Path, "wins", QString::number(count)});
        losses.start(STORE_WRITER, {Path, "losses", QString::number(count)});
        speed.start(STORE_WRITER, {Path, "speed", QString::number(count)});
        for (QProcess *writer : {&wins, &losses, &speed}) {
            QVERIFY(writer->waitForFinished(120000));
            QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
        }
        const Loaded loaded = Load(Path);
        QCOMPARE(loaded.Problems, QStringList());
        const GameStatistics &t = loaded.Statistics;
        QCOMPARE(t.GamesWon, count);
        QCOMPARE(t.GamesLost, count);
        // The streak is the one of the copy that finished last.
        QVERIFY(t.StreakType == 1 || t.StreakType == 2);
        QVERIFY(t.StreakType == 1 ? t.StreakWins >= 1 && t.StreakLosses == 0 : t.StreakLosses >= 1 && t.StreakWins == 0);
        QCOMPARE(loaded.Settings.SpeedSlider, (count - 1) % 10 + 1);
        QVERIFY(Contents(Path).endsWith(foreign));
        QVERIFY(QDir(QFileInfo(Path).absolutePath()).entryList({"*danneggiato*"}).isEmpty());
    }

    void fileWholeWhileWritingAndAfterKill()
    {
        Put(Path, FirstRunText);
        for (int round = 0; round < 3; ++round) {
            QProcess writer;
            writer.start(STORE_WRITER, {Path, "wins", "100000000"});
            QVERIFY(writer.waitForStarted());
            // Readers take no lock: the file must be whole at every moment.
            QElapsedTimer waited;
            waited.start();
            for (std::uint32_t written = 0; written <= 20 * std::uint32_t(round + 1);) {
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
            QCOMPARE(loaded.Statistics.StreakWins, loaded.Statistics.GamesWon);
        }
        // The lock file the killed copies left behind holds nobody up.
        GameStatistics t;
        QVERIFY(SettingsStore(Path).SaveStatistics(t).Ok());
    }

    // A lock file that a killed copy left empty, or with anything in it,
    // is no lock: the next write goes through.
    // So is what a killed copy, or anything else, left under the name of
    // the new file being written: a null `left` is a FIFO, "/" a folder.
    void staleLockFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("left");
        QTest::newRow("empty") << ".lock" << QByteArray("");
        QTest::newRow("garbage") << ".lock" << QByteArray("\xff\xfe rotto");
        QTest::newRow("another program's") << ".lock" << QByteArray("12345\nquintara\nmacchina\n");
        QTest::newRow("FIFO as the lock") << ".lock" << QByteArray();
        QTest::newRow("half a new file") << ".nuovo" << QByteArray("Windows Reg");
        QTest::newRow("folder as the new file") << ".nuovo" << QByteArray("/");
    }
    void staleLockFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, left);
        Put(Path, FirstRunText);
        const QByteArray native = QFile::encodeName(Path + name);
        if (left.isNull())
            QCOMPARE(::mkfifo(native.constData(), 0644), 0);
        else if (left == "/")
            QVERIFY(QDir().mkpath(Path + name));
        else
            Put(Path + name, left);
        WinOneGame(Path);
        QCOMPARE(Load(Path).Statistics.GamesWon, 1);
        QVERIFY(!QFile::exists(Path + ".lock"));
        QCOMPARE(QDir(QFileInfo(Path).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"registry.reg"} + (left == "/" ? QStringList{"registry.reg" + name} : QStringList()));
    }

    // A file kept elsewhere behind a link, as dotfile managers do: every
    // write goes to the file the link points at, and the link stays.
    void linkedFileWrittenThrough_data()
    {
        QTest::addColumn<int>("hops");
        QTest::newRow("one link") << 1;
        QTest::newRow("a link to a link") << 2;
    }
    void linkedFileWrittenThrough()
    {
        QFETCH(int, hops);
        const QString real = Folder.filePath(QStringLiteral("dotfiles/registry.reg"));
        Put(real, FirstRunText);
        QDir().mkpath(QFileInfo(Path).absolutePath());
        QString target = real;
        for (int hop = 1; hop < hops; ++hop) {
            const QString via = Folder.filePath(QStringLiteral("tramite%1").arg(hop));
            QVERIFY(QFile::link(target, via));
            target = via;
        }
        QVERIFY(QFile::link(target, Path));
        WinOneGame(Path);
        QVERIFY(QFileInfo(Path).isSymLink());
        QCOMPARE(Load(real).Statistics.GamesWon, 1);
        QCOMPARE(QDir(QFileInfo(real).absolutePath()).entryList(QDir::Files), QStringList{"registry.reg"});
    }

    // Writes that the system refuses half-way: the old file stays whole, the
    // player is told the true cause in Italian, and the games not stored go
    // with the next save that works.
    void diskRefusesWrite_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("cause");
        QTest::newRow("file size limit") << "--fsize=100" << "il file supera la grandezza permessa";
        QTest::newRow("full at the flush") << "--full-at-flush" << "il disco è pieno";
        QTest::newRow("full disk") << "tmpfs" << "il disco è pieno";
    }
    void diskRefusesWrite()
    {
        QFETCH(QString, how);
        QFETCH(QString, cause);
        const QByteArray nine = "\"Games Won\"=dword:00000009";
        QString report;
        QByteArray before;
        if (how != "tmpfs") {
            before = Edited(ForeignText(), "\"Games Won\"=dword:00000000", nine);
            Put(Path, before);
            // Every write past 100 bytes, or every flush, fails in that process.
            QProcess writer;
            writer.start(STORE_WRITER, {how, Path, "wins", "1"});
            QVERIFY(writer.waitForFinished(60000));
            QCOMPARE(writer.exitCode(), 1);
            report = QString::fromUtf8(writer.readAllStandardError());
            QCOMPARE(Contents(Path), before);
        } else {
            if (!MountTinyDisk())
                QSKIP("no tmpfs can be mounted here");
            before = Edited(FirstRunText, "\"Games Won\"=dword:00000000", nine);
            Put(Path, before);
            SettingsStore store(Path);
            GameSettings s;
            GameStatistics t;
            QVERIFY(store.LoadSettings(s, t).Ok());
            FillDisk();
            CountGame(t, true);
            report = store.SaveStatistics(t).Text();
            QCOMPARE(t.GamesWon, 10);  // shown to the player all the same
            QCOMPARE(Contents(Path), before);
            QCOMPARE(QDir(QFileInfo(Path).absolutePath()).entryList(QDir::Files), QStringList{"registry.reg"});
            // Room again: the game not stored goes with the next one.
            QVERIFY(QFile::remove(Folder.filePath("riempitivo")));
            CountGame(t, false);
            QVERIFY(store.SaveStatistics(t).Ok());
            const Loaded loaded = Load(Path);
            QCOMPARE(loaded.Statistics.GamesWon, 10);
            QCOMPARE(loaded.Statistics.GamesLost, 1);
        }
        QVERIFY2(report.contains(cause) && report.contains(Path) && report.contains("com'era"), qPrintable(report));
        for (const char *english : {"space", "large", "writable", "denied", "error"})
            QVERIFY2(!report.contains(QLatin1String(english), Qt::CaseInsensitive), qPrintable(report));
    }

    void cleanup()
    {
        if (Mounted)
            QCOMPARE(::umount2(QFile::encodeName(Folder.path()).constData(), MNT_DETACH), 0);
        Mounted = false;
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
