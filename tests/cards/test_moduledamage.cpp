// A damaged or foreign zozaro2.dll never harms the game: whatever the file
// holds, the player is told with the module's own messages and the game goes
// on without cards; and only the module beside the program is ever read.

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "moduleformat.h"
#include "support/fakeshell.h"
#include "table/cardimages.h"

using namespace quintara;
using quintara::test::FakeShell;
using cardmodule::CardSize;
using cardmodule::Key;

namespace {

using Pictures = std::vector<std::pair<Key, QByteArray>>;

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray OurModule()
{
    static const QByteArray module =
        ReadAll(QDir(QCoreApplication::applicationDirPath()).filePath(CardLibraryFile));
    return module;
}

// The pictures of our module in its own order, to build altered modules from.
Pictures OurPictures()
{
    QByteArray module = OurModule();
    QBuffer buffer(&module);
    buffer.open(QIODevice::ReadOnly);
    const auto table = cardmodule::ReadTable(buffer);
    Pictures pictures;
    for (int i = 0; i < cardmodule::ListedCount; ++i) {
        const char *entry = module.constData() + 16 + i * 12;
        const Key key{qFromLittleEndian<quint16>(entry), CardSize(entry[2]), entry[3]};
        const cardmodule::Span span = (*table)[cardmodule::Slot(key)];
        pictures.emplace_back(key, module.mid(span.offset, span.length));
    }
    return pictures;
}

QByteArray Png(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Random(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

QByteArray WithU32(QByteArray bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

constexpr qsizetype FirstEntry = 16;
constexpr qsizetype EntryBytes = 12;

struct Opened {
    FakeShell shell;
    CardImageLibrary library;
    explicit Opened(const QString &path) : library(shell, path) { library.Load(); }

    bool ToldNotLoaded() const
    {
        return !library.Loaded() && library.LibraryFailed() && shell.notices.size() == 2
               && shell.notices[0].text == QStringLiteral("Non riesco a caricare 'ZozAro2.DLL'.")
               && shell.notices[1].caption == QStringLiteral("Directory attuale")
               && shell.status[1].isEmpty();
    }
};

} // namespace

class TestModuleDamage : public QObject {
    Q_OBJECT
    QTemporaryDir folder;

    QString Write(const QByteArray &bytes, const QString &name = QString::fromLatin1(CardLibraryFile))
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        QVERIFY(OurModule().size() > 100000);
        Opened ours(Write(OurModule()));
        QVERIFY(ours.library.Usable());
        QCOMPARE(ours.shell.status[1], QStringLiteral("Libreria usata: ZozAro2.DLL"));
    }

    // Cut anywhere, the last picture no longer fits: refused before any
    // picture is read, whatever the length.
    void everyCutIsRefused()
    {
        const QString path = Write(OurModule());
        QFile file(path);
        for (qint64 size = OurModule().size() - 1; size >= 0; size -= size > 1024 ? 1024 : 1) {
            QVERIFY(file.resize(size));
            Opened cut(path);
            QVERIFY2(cut.ToldNotLoaded(), qPrintable(QString::number(size)));
        }
    }

    void damagedTableIsRefused_data()
    {
        QTest::addColumn<QByteArray>("module");
        const QByteArray ours = OurModule();
        const qsizetype lastEntry = FirstEntry + (cardmodule::ListedCount - 1) * EntryBytes;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("magic only") << ours.left(8);
        QTest::newRow("header only") << ours.left(FirstEntry);
        QTest::newRow("random bytes") << Random(200000, 1);
        QTest::newRow("our header, random rest") << ours.left(FirstEntry) + Random(200000, 2);
        QTest::newRow("other version") << WithU32(ours, 8, 2);
        QTest::newRow("one entry missing") << WithU32(ours, 12, cardmodule::ListedCount - 1);
        QTest::newRow("one entry too many") << WithU32(ours, 12, cardmodule::ListedCount + 1);
        QTest::newRow("picture past the end") << WithU32(ours, lastEntry + 8, 1 << 19);
        QTest::newRow("offset wraps round") << WithU32(ours, lastEntry + 4, 0xFFFFFFF0u);
        QTest::newRow("picture inside the table") << WithU32(ours, FirstEntry + 4, FirstEntry);
        QTest::newRow("empty picture") << WithU32(ours, FirstEntry + 8, 0);
        // Entry bytes, low first: number (2), size, scale.
        QTest::newRow("number 57") << WithU32(ours, FirstEntry, 0x01000039);
        QTest::newRow("number 0") << WithU32(ours, FirstEntry, 0x01000000);
        QTest::newRow("scale 4") << WithU32(ours, FirstEntry, 0x04000001);
        QTest::newRow("size 2") << WithU32(ours, FirstEntry, 0x01020001);
        QTest::newRow("large mark") << WithU32(ours, FirstEntry, 0x01010035);
        Pictures twice = OurPictures();
        twice[1].first = twice[0].first;
        QTest::newRow("one picture twice") << cardmodule::Write(twice);
    }
    void damagedTableIsRefused()
    {
        QFETCH(QByteArray, module);
        Opened opened(Write(module));
        QVERIFY(opened.ToldNotLoaded());
        QVERIFY(opened.library.Bitmap(1).isNull());
        QCOMPARE(opened.shell.notices.size(), std::size_t(2));
    }

    // A sound table pointing at a bad picture: told by its number when the
    // picture is asked for, and nothing more is drawn.
    void badPictureIsToldByNumber_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("picture");
        const Pictures ours = OurPictures();
        const QByteArray png = ours[30].second;
        QTest::newRow("random bytes") << 30 << Random(png.size(), 3);
        QTest::newRow("cut png") << 30 << png.left(png.size() / 2);
        QTest::newRow("png with random data") << 30 << png.left(40) + Random(png.size() - 40, 4);
        QTest::newRow("jpeg") << 30 << QByteArray("\xFF\xD8\xFF\xE0") + png;
        QTest::newRow("one pixel narrow") << 30 << Png(QSize(71, 96));
        QTest::newRow("one pixel tall") << 30 << Png(QSize(72, 97));
        QTest::newRow("twice the detail") << 30 << ours[31].second;
        QTest::newRow("3000 x 4000") << 30 << Png(QSize(3000, 4000));
        QTest::newRow("large face of normal size") << 200 << ours[30].second;
        QTest::newRow("mark at scale 2 of scale 1")
            << (cardmodule::LastNumber - 1) * 3 + 1 << ours[(cardmodule::LastNumber - 1) * 3].second;
    }
    void badPictureIsToldByNumber()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, picture);
        Pictures pictures = OurPictures();
        const Key key = pictures[index].first;
        pictures[index].second = picture;
        Opened opened(Write(cardmodule::Write(pictures)));
        QVERIFY(opened.library.Usable());
        QVERIFY(!opened.library.Bitmap(key.number, key.size, key.scale == 1 ? 2 : 1).isNull());
        QVERIFY(opened.library.Bitmap(key.number, key.size, key.scale).isNull());
        QVERIFY(opened.library.LibraryFailed());
        QCOMPARE(opened.shell.notices.size(), std::size_t(1));
        QCOMPARE(opened.shell.notices[0].text,
                 QStringLiteral("Errore di caricamento della DLL: numero di bitmap %1").arg(key.number));
        QVERIFY(opened.library.Bitmap(1).isNull());
        QCOMPARE(opened.shell.notices.size(), std::size_t(1));
    }

    // A zozaro2.dll in the current folder, or wherever a search path would
    // look, is not ours: the one beside the program is read.
    void onlyTheModuleBesideTheProgramIsRead()
    {
        Write(Random(5000, 5));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        qputenv("LD_LIBRARY_PATH", ":" + folder.path().toLocal8Bit());
        FakeShell shell;
        CardImageLibrary library(shell);
        library.Load();
        QDir::setCurrent(before);
        qunsetenv("LD_LIBRARY_PATH");
        QVERIFY(library.Usable());
        QVERIFY(shell.notices.empty());
        QVERIFY(!library.Bitmap(56).isNull());
    }
};

QTEST_GUILESS_MAIN(TestModuleDamage)
#include "test_moduledamage.moc"
