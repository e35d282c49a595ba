// The card module as the game sees it: which pictures it yields, their
// sizes, and that every face can be told apart by the strip of it that a
// column leaves visible.

#include <QDir>
#include <QTest>

#include "support/fakeshell.h"
#include "table/cardimages.h"

using namespace quintara;
using quintara::test::FakeShell;

namespace {

constexpr int FaceWidth = 72;
constexpr int FaceHeight = 96;
constexpr int VisibleStrip = 18;

bool IsRedInk(QRgb pixel)
{
    return qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

bool IsDarkInk(QRgb pixel)
{
    return qMax(qRed(pixel), qMax(qGreen(pixel), qBlue(pixel))) < 80;
}

struct InkCount {
    int red = 0;
    int dark = 0;
};

InkCount CountInk(const QImage &image, const QRect &area)
{
    InkCount count;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count.red += IsRedInk(pixel);
            count.dark += IsDarkInk(pixel);
        }
    }
    return count;
}

} // namespace

class TestCardModule : public QObject {
    Q_OBJECT
    FakeShell shell;
    CardImageLibrary library{shell};
    std::vector<QImage> pictures;   // by number - 1

private slots:
    void initTestCase()
    {
        library.Load();
        QVERIFY(library.Loaded());
        QCOMPARE(shell.status[1], QStringLiteral("Libreria usata: ZozAro2.DLL"));
        for (int number = 1; number <= 56; ++number)
            pictures.push_back(library.Bitmap(number));
        QVERIFY(shell.notices.empty());
        QVERIFY(!library.LibraryFailed());
    }

    void everyPictureIsThereAtCardSize()
    {
        QCOMPARE(pictures.size(), std::size_t(56));
        for (const QImage &picture : pictures)
            QCOMPARE(picture.size(), QSize(FaceWidth, FaceHeight));
        for (std::size_t a = 0; a < pictures.size(); ++a)
            for (std::size_t b = a + 1; b < pictures.size(); ++b)
                QVERIFY2(pictures[a] != pictures[b],
                         qPrintable(QStringLiteral("%1 and %2 are alike").arg(a + 1).arg(b + 1)));
    }

    void pictureAgainIsTheSame()
    {
        QCOMPARE(library.Bitmap(28), pictures[27]);
    }

    // Covered cards show only their top strip: it alone must name the card.
    void visibleStripIdentifiesTheCard()
    {
        std::vector<QImage> strips;
        for (int number = 1; number <= 52; ++number)
            strips.push_back(pictures[number - 1].copy(0, 0, FaceWidth, VisibleStrip));
        for (std::size_t a = 0; a < strips.size(); ++a)
            for (std::size_t b = a + 1; b < strips.size(); ++b)
                QVERIFY2(strips[a] != strips[b],
                         qPrintable(QStringLiteral("%1 and %2 share a strip").arg(a + 1).arg(b + 1)));
    }

    // Reading a card upside down gives the same index.
    void lowerIndexIsTheUpperTurnedRound()
    {
        for (int number = 1; number <= 52; ++number) {
            const QImage &face = pictures[number - 1];
            QCOMPARE(face.copy(0, FaceHeight - VisibleStrip, FaceWidth, VisibleStrip),
                     face.copy(0, 0, FaceWidth, VisibleStrip).mirrored(true, true));
        }
    }

    void inkFollowsTheSuit()
    {
        for (int number = 1; number <= 52; ++number) {
            const int suit = (number - 1) / 13;
            const int rank = (number - 1) % 13;
            const bool red = suit < 2;
            const QImage &face = pictures[number - 1];
            // The index everywhere; pip cards all over (court figures have more colours).
            const QRect area = rank < 10 ? face.rect() : QRect(0, 0, FaceWidth, VisibleStrip);
            const InkCount ink = CountInk(face, area);
            const QByteArray what = QByteArray::number(number);
            QVERIFY2(red ? ink.red > 20 : ink.dark > 20, what);
            QVERIFY2(red ? ink.dark == 0 : ink.red == 0, what);
        }
    }

    void marksSitOnTheGreenTable()
    {
        for (int number = 53; number <= 56; ++number) {
            const QImage &mark = pictures[number - 1];
            QCOMPARE(mark.pixel(0, 0), qRgb(0, 153, 0));
            for (int y = 0; y < FaceHeight; ++y)
                for (int x = 0; x < FaceWidth; ++x) {
                    const QRgb pixel = mark.pixel(x, y);
                    QVERIFY(qGreen(pixel) > qRed(pixel) && qGreen(pixel) > qBlue(pixel));
                }
        }
    }

    // Anything but 1..56 is refused: told once, and no card is drawn after.
    void otherNumbersAreRefused_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("0") << 0;
        QTest::newRow("57") << 57;
        QTest::newRow("-1") << -1;
    }
    void otherNumbersAreRefused()
    {
        QFETCH(int, number);
        FakeShell ownShell;
        CardImageLibrary own(ownShell);
        own.Load();
        QVERIFY(own.Bitmap(number).isNull());
        QVERIFY(own.LibraryFailed());
        QVERIFY(own.Bitmap(1).isNull());
        QCOMPARE(ownShell.notices.size(), std::size_t(1));
        QCOMPARE(ownShell.notices[0].text,
                 QStringLiteral("Errore di caricamento della DLL: numero di bitmap %1").arg(number));
        QCOMPARE(ownShell.notices[0].caption, QStringLiteral("ZozAro2.DLL"));
        QCOMPARE(ownShell.notices[0].icon, NoticeIcon::Stop);
    }
};

QTEST_MAIN(TestCardModule)
#include "test_cardmodule.moc"
