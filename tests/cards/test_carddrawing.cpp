// DrawCard on the table's canvases: plain and highlighted faces with their
// rounded corners and outline, the red tint on the window, place marks,
// blank slots, large cards, and a table without a usable card module.

#include <QCryptographicHash>
#include <QDir>
#include <QTest>
#include <QtMath>

#include "support/fakeshell.h"
#include "table/carddrawing.h"

using namespace quintara;
using quintara::test::FakeShell;

namespace {

const QColor Felt(0, 153, 0);
const QColor WindowGround(10, 20, 30);
constexpr int X = 10;
constexpr int Y = 20;
const Size SmallCard{72, 96};
const Size LargeCard{142, 192};

QRgb Inverted(QRgb pixel)
{
    return qRgb(255 - qRed(pixel), 255 - qGreen(pixel), 255 - qBlue(pixel));
}

// What MERGEPAINT of pure red leaves: the inverted red, cyan, or'ed in.
QRgb MergedWithRed(QRgb pixel)
{
    return qRgb(qRed(pixel), 255, 255);
}

QImage Canvas(QImage::Format format = QImage::Format_RGB32, const QColor &ground = Felt,
              qreal ratio = 1)
{
    QImage image(QSize(320, 240) * ratio, format);
    image.setDevicePixelRatio(ratio);
    image.fill(ground);
    return image;
}

// Inside the rounded clip and clear of the outline.
bool InsideFace(int dx, int dy, Size card)
{
    const int inset = 3;
    if (dx < inset || dy < inset || dx >= card.width - inset || dy >= card.height - inset)
        return false;
    return true;
}

struct Fixture {
    FakeShell shell;
    CardPainter painter;
    QImage canvas;
    QImage window;
    explicit Fixture(Size card = SmallCard, bool orig = true,
                     QString file = QString::fromLatin1(CardLibraryFile),
                     QImage::Format format = QImage::Format_RGB32)
        : painter(shell, card, orig, std::move(file)),
          canvas(Canvas(format)),
          window(Canvas(format, WindowGround))
    {
        painter.Library().Load();
    }
    void Draw(std::int32_t value, std::int32_t mode, Rgb colour = {200, 100, 50})
    {
        painter.DrawCard(canvas, window, X, Y, value, mode, colour);
    }
    QImage Face(CardCode card) { return painter.Library().Bitmap(CardBitmapNumber(card)); }
};

// The pixels alone, row by row, whatever the image's padding.
QByteArray Digest(const std::vector<QImage> &images)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QImage &image : images) {
        const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
        hash.addData(QByteArray::number(pixels.width()) + 'x' + QByteArray::number(pixels.height()));
        for (int y = 0; y < pixels.height(); ++y)
            hash.addData(QByteArrayView(pixels.constScanLine(y), pixels.width() * 4));
    }
    return hash.result().toHex().left(24);
}

bool Untouched(const QImage &image, const QColor &ground)
{
    const QImage pristine = Canvas(image.format(), ground);
    return image == pristine;
}

} // namespace

class TestCardDrawing : public QObject {
    Q_OBJECT
private slots:
    void faceNumbers()
    {
        QCOMPARE(CardBitmapNumber(0), 1);    // ace of suit 0
        QCOMPARE(CardBitmapNumber(51), 52);  // king of suit 3
        QCOMPARE(CardBitmapNumber(6), 28);   // two of suit 2
        QCOMPARE(CardBitmapNumber(MakeCard(12, 0)), 13);
    }

    void normalFace_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("rgb32") << int(QImage::Format_RGB32);
        QTest::newRow("argb32 premultiplied") << int(QImage::Format_ARGB32_Premultiplied);
    }
    void normalFace()
    {
        QFETCH(int, format);
        Fixture f(SmallCard, true, QString::fromLatin1(CardLibraryFile),
                  QImage::Format(format));
        const CardCode card = MakeCard(6, 3);
        f.Draw(card, DrawNormal);
        const QImage face = f.Face(card);
        for (int dy = 0; dy < 96; ++dy)
            for (int dx = 0; dx < 72; ++dx)
                if (InsideFace(dx, dy, SmallCard))
                    QCOMPARE(f.canvas.pixel(X + dx, Y + dy), face.pixel(dx, dy));
        // Rounded corners leave the table showing; the outline is black.
        QCOMPARE(f.canvas.pixelColor(X, Y), Felt);
        QCOMPARE(f.canvas.pixelColor(X + 71, Y + 95), Felt);
        QCOMPARE(f.canvas.pixelColor(X, Y + 48), QColor(Qt::black));
        QCOMPARE(f.canvas.pixelColor(X + 1, Y + 48), QColor(Qt::black));
        QCOMPARE(f.canvas.pixelColor(X + 71, Y + 48), QColor(Qt::black));
        QCOMPARE(f.canvas.pixelColor(X + 36, Y + 95), QColor(Qt::black));
        QCOMPARE(f.canvas.pixelColor(X + 72, Y + 48), Felt);
        QCOMPARE(f.canvas.pixelColor(X + 36, Y + 96), Felt);
        QVERIFY(Untouched(f.window, WindowGround));
    }

    // A highlighted card is inverted on the canvas and copied to the window
    // at once; black two to ten are merged with red there as well.
    void highlightedFace_data()
    {
        QTest::addColumn<int>("card");
        QTest::addColumn<bool>("tinted");
        QTest::newRow("ace of hearts") << MakeCard(0, 0) << false;
        QTest::newRow("ten of diamonds") << MakeCard(9, 1) << false;
        QTest::newRow("ace of spades") << MakeCard(0, 2) << false;
        QTest::newRow("two of spades") << MakeCard(1, 2) << true;
        QTest::newRow("ten of clubs") << MakeCard(9, 3) << true;
        QTest::newRow("jack of clubs") << MakeCard(10, 3) << false;
        QTest::newRow("king of spades") << MakeCard(12, 2) << false;
    }
    void highlightedFace()
    {
        QFETCH(int, card);
        QFETCH(bool, tinted);
        Fixture f;
        f.Draw(card, DrawHighlighted);
        const QImage face = f.Face(card);
        for (int dy = 0; dy < 96; ++dy) {
            for (int dx = 0; dx < 72; ++dx) {
                const QRgb drawn = f.canvas.pixel(X + dx, Y + dy);
                if (InsideFace(dx, dy, SmallCard))
                    QCOMPARE(drawn, Inverted(face.pixel(dx, dy)));
                QCOMPARE(f.window.pixel(X + dx, Y + dy), tinted ? MergedWithRed(drawn) : drawn);
            }
        }
        QCOMPARE(f.canvas.pixelColor(X, Y), Felt);
        QCOMPARE(f.canvas.pixelColor(X, Y + 48), QColor(Qt::black));
        QCOMPARE(f.window.pixelColor(X + 72, Y), WindowGround);
        QCOMPARE(f.window.pixelColor(X - 1, Y + 95), WindowGround);
    }

    void placeMarkIsCopiedAsItIs_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<int>("ratio");
        QTest::newRow("small cards") << false << 1;
        QTest::newRow("large cards") << true << 1;
        QTest::newRow("large cards, 2") << true << 2;
        QTest::newRow("small cards, 3") << false << 3;
    }
    void placeMarkIsCopiedAsItIs()
    {
        QFETCH(bool, large);
        QFETCH(int, ratio);
        Fixture f(large ? LargeCard : SmallCard, !large);
        f.canvas = Canvas(QImage::Format_RGB32, Felt, ratio);
        f.Draw(56, DrawPicture);
        const QImage mark = f.painter.Library().Bitmap(56, cardmodule::CardSize::Normal, ratio);
        QCOMPARE(f.canvas.copy(X * ratio, Y * ratio, 72 * ratio, 96 * ratio), mark);
        QCOMPARE(f.canvas.pixelColor((X + 72) * ratio, (Y + 50) * ratio), Felt);
        QCOMPARE(f.canvas.pixelColor((X + 30) * ratio, (Y + 96) * ratio), Felt);
    }

    void blankFillsTheWholeSlot()
    {
        Fixture f;
        f.Draw(0, DrawBlank, Rgb{1, 2, 3});
        QImage expected = Canvas();
        for (int y = Y; y < Y + 96; ++y)
            for (int x = X; x < X + 72; ++x)
                expected.setPixelColor(x, y, QColor(1, 2, 3));
        QCOMPARE(f.canvas, expected);
    }

    void otherModesDrawNothing_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("mode");
        QTest::newRow("mode 3") << 5 << 3;
        QTest::newRow("mode 5") << 5 << 5;
        QTest::newRow("mode -1") << 5 << -1;
        // A value past the faces in a face mode: picture 53 is no face.
        QTest::newRow("normal 55") << 55 << int(DrawNormal);
        QTest::newRow("highlighted 55") << 55 << int(DrawHighlighted);
    }
    void otherModesDrawNothing()
    {
        QFETCH(int, value);
        QFETCH(int, mode);
        Fixture f;
        f.Draw(value, mode);
        QVERIFY(Untouched(f.canvas, Felt));
        QVERIFY(Untouched(f.window, WindowGround));
        QVERIFY(f.shell.notices.empty());
    }

    // Ordinary screens see every card exactly as before the pictures came
    // in finer detail: the pictures and what DrawCard leaves, pinned.
    void ordinaryScreenPixelsArePinned_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QByteArray>("digest");
        QTest::newRow("pictures") << "pictures" << QByteArray("7f932549d2d523140fae9752");
        QTest::newRow("faces") << "faces" << QByteArray("9ee2394d2d94f7c1a531b3df");
        QTest::newRow("highlighted") << "highlighted" << QByteArray("d311346258f39b8c28989d2b");
        QTest::newRow("marks and blank") << "marks" << QByteArray("f61166a4b57d7830f127b638");
    }
    void ordinaryScreenPixelsArePinned()
    {
        QFETCH(QString, what);
        QFETCH(QByteArray, digest);
        Fixture f;
        std::vector<QImage> images;
        for (int value = 0; value < 56; ++value) {
            if (what == QLatin1String("pictures")) {
                images.push_back(f.painter.Library().Bitmap(value + 1));
                continue;
            }
            f.canvas = Canvas();
            f.window = Canvas(QImage::Format_RGB32, WindowGround);
            if (what == QLatin1String("marks")) {
                if (value >= 4)
                    break;
                f.Draw(53 + value, DrawPicture);
                f.painter.DrawCard(f.canvas, f.window, 100, 100, 0, DrawBlank, {9, 8, 7});
            } else if (value < 52) {
                f.Draw(value, what == QLatin1String("faces") ? DrawNormal : DrawHighlighted);
            } else {
                break;
            }
            images.push_back(f.canvas);
            images.push_back(f.window);
        }
        QCOMPARE(Digest(images), digest);
    }

    // Each screen gets the pictures in its own detail, the large faces drawn
    // at their own size; highlight, tint, clip and outline at every scale.
    void facesHaveTheScreensDetail_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("large");
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<int>("scale");
        QTest::newRow("1, large") << 1.0 << true << false << 1;
        QTest::newRow("1, large, highlighted") << 1.0 << true << true << 1;
        QTest::newRow("2") << 2.0 << false << false << 2;
        QTest::newRow("2, highlighted") << 2.0 << false << true << 2;
        QTest::newRow("3, large") << 3.0 << true << false << 3;
        QTest::newRow("1.25") << 1.25 << false << false << 2;
        QTest::newRow("1.5, large, highlighted") << 1.5 << true << true << 2;
        QTest::newRow("2.5") << 2.5 << false << false << 3;
    }
    void facesHaveTheScreensDetail()
    {
        QFETCH(qreal, ratio);
        QFETCH(bool, large);
        QFETCH(bool, highlighted);
        QFETCH(int, scale);
        const Size card = large ? LargeCard : SmallCard;
        Fixture f(card, !large);
        f.canvas = Canvas(QImage::Format_RGB32, Felt, ratio);
        f.window = Canvas(QImage::Format_RGB32, WindowGround, ratio);
        const CardCode seven = MakeCard(6, 3);   // tinted when highlighted
        constexpr int At = 40;                   // whole device pixels at every ratio
        f.painter.DrawCard(f.canvas, f.window, At, At, seven,
                           highlighted ? DrawHighlighted : DrawNormal, {});
        const QImage picture = f.painter.Library().Bitmap(
            CardBitmapNumber(seven), large ? cardmodule::CardSize::Large : cardmodule::CardSize::Normal,
            scale);
        const QSize pixels = QSize(card.width, card.height) * ratio;
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(card.width, card.height));
        const QImage wanted = picture.size() == pixels
                                  ? picture
                                  : picture.scaled(pixels, Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation);
        const int left = At * ratio;
        const int inset = qCeil(3 * ratio);
        int close = 0;
        int inside = 0;
        for (int dy = 0; dy < pixels.height(); ++dy) {
            for (int dx = 0; dx < pixels.width(); ++dx) {
                const QRgb drawn = f.canvas.pixel(left + dx, left + dy);
                if (highlighted)
                    QCOMPARE(f.window.pixel(left + dx, left + dy), MergedWithRed(drawn));
                if (dx < inset || dy < inset || dx >= pixels.width() - inset
                    || dy >= pixels.height() - inset)
                    continue;
                const QRgb face = highlighted ? Inverted(drawn) : drawn;
                const QRgb want = wanted.pixel(dx, dy);
                ++inside;
                close += qAbs(qRed(face) - qRed(want)) + qAbs(qBlue(face) - qBlue(want))
                             + qAbs(qGreen(face) - qGreen(want)) < (picture.size() == pixels ? 1 : 60);
            }
        }
        QVERIFY2(close >= inside * (picture.size() == pixels ? 100 : 97) / 100,
                 qPrintable(QStringLiteral("%1 of %2").arg(close).arg(inside)));
        // Rounded corner, outline and nothing past the card, in device pixels.
        const int mid = left + pixels.height() / 2;
        QCOMPARE(f.canvas.pixelColor(left, left), Felt);
        QCOMPARE(f.canvas.pixelColor(left, mid), QColor(Qt::black));
        QCOMPARE(f.canvas.pixelColor(left + pixels.width() - 1, mid), QColor(Qt::black));
        QCOMPARE(f.canvas.pixelColor(left + pixels.width(), mid), Felt);
        QCOMPARE(f.canvas.pixelColor(left - 1, mid), Felt);
        QCOMPARE(f.window.pixelColor(left - 1, mid), WindowGround);
        QCOMPARE(f.window.pixelColor(left + pixels.width(), mid), WindowGround);
    }

    void missingModuleIsToldOnceAndDrawsNothing()
    {
        Fixture f(SmallCard, true, QStringLiteral("zozaro-missing.dll"));
        QVERIFY(!f.painter.Library().Loaded());
        QVERIFY(f.painter.Library().LibraryFailed());
        QCOMPARE(f.shell.notices.size(), std::size_t(2));
        QCOMPARE(f.shell.notices[0].text, QStringLiteral("Non riesco a caricare 'ZozAro2.DLL'."));
        QCOMPARE(f.shell.notices[0].caption, QStringLiteral(" Errore di caricamento della DLL"));
        QCOMPARE(f.shell.notices[0].icon, NoticeIcon::Stop);
        QCOMPARE(f.shell.notices[1].text, QCoreApplication::applicationDirPath());
        QCOMPARE(f.shell.notices[1].caption, QStringLiteral("Directory attuale"));
        QCOMPARE(f.shell.notices[1].icon, NoticeIcon::None);
        QVERIFY(f.shell.status[1].isEmpty());

        f.painter.Library().Load();
        for (int mode : {DrawNormal, DrawPicture, DrawHighlighted, DrawBlank})
            f.Draw(mode == DrawPicture ? 53 : 6, mode);
        QVERIFY(Untouched(f.canvas, Felt));
        QVERIFY(Untouched(f.window, WindowGround));
        QCOMPARE(f.shell.notices.size(), std::size_t(2));
    }

    void refusedPictureIsToldOnceAndStopsDrawing()
    {
        Fixture f;
        f.Draw(57, DrawPicture);
        QCOMPARE(f.shell.notices.size(), std::size_t(1));
        QCOMPARE(f.shell.notices[0].text,
                 QStringLiteral("Errore di caricamento della DLL: numero di bitmap 57"));
        QCOMPARE(f.shell.notices[0].caption, QStringLiteral("ZozAro2.DLL"));
        QCOMPARE(f.shell.notices[0].icon, NoticeIcon::Stop);
        f.Draw(0, DrawNormal);
        f.Draw(0, DrawBlank);
        f.Draw(57, DrawPicture);
        QVERIFY(Untouched(f.canvas, Felt));
        QCOMPARE(f.shell.notices.size(), std::size_t(1));
    }

    void nothingIsDrawnBeforeLoadingOrAfterRelease()
    {
        FakeShell shell;
        CardPainter painter(shell, SmallCard, true);
        QImage canvas = Canvas();
        QImage window = Canvas();
        painter.DrawCard(canvas, window, X, Y, 0, DrawBlank, {1, 2, 3});
        QVERIFY(Untouched(canvas, Felt));

        painter.Library().Load();
        painter.Library().Release();
        painter.Library().Load();
        QVERIFY(!painter.Library().Loaded());
        for (int mode : {DrawNormal, DrawPicture, DrawHighlighted, DrawBlank})
            painter.DrawCard(canvas, window, X, Y, mode == DrawPicture ? 53 : 6, mode, {1, 2, 3});
        QVERIFY(Untouched(canvas, Felt));
        QVERIFY(Untouched(window, Felt));
        QVERIFY(shell.notices.empty());
    }
};

QTEST_MAIN(TestCardDrawing)
#include "test_carddrawing.moc"
