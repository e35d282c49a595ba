// The picture beside the table: accepted at start-up by the preferences,
// stretched over the side area, cleared when switched off, reported when its
// file is lost, replaced after a change, drawn again after a deactivation.

#include <QtTest>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "dialogs/prefdlg.h"
#include "support/screentest.h"
#include "support/windowfixture.h"
#include "table/drawingtools.h"
#include "table/tableview.h"

using namespace quintara;
using namespace quintara::test;

namespace {

const QColor LeftColour(200, 30, 40);
const QColor RightColour(20, 40, 220);
const QColor OtherColour(240, 200, 10);

const QString LoadFailure = QStringLiteral("Non riesco a caricare l'immagine da mettere nella finestra a fianco.");

// A small bitmap, left half one colour and right half another, so that a
// stretch over the whole side area shows at both of its edges.
QString WriteBitmap(const QTemporaryDir &dir, const QString &name, QColor left, QColor right)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(left);
    QPainter(&image).fillRect(20, 0, 20, 20, right);
    const QString path = dir.filePath(name);
    return image.save(path, "BMP") ? path : QString();
}

// Where the side area lies in the window, less a margin for the frame.
QRect SideInside(const TableLayout &l)
{
    const PixelRect &r = l.SideArea;
    return QRect(r.left, r.top, r.width(), r.height()).adjusted(6, 6, -6, -6);
}

QColor At(const WindowFixture &f, QPoint p)
{
    return f.form->View()->canvas().pixelColor(p);
}

// Whether the side area shows a picture with these two halves, stretched
// from edge to edge.
bool ShowsHalves(const WindowFixture &f, QColor left, QColor right)
{
    const QRect r = SideInside(f.form->State().Layout);
    const int y = r.center().y();
    return At(f, {r.left(), r.top()}) == left && At(f, {r.left() + r.width() / 4, y}) == left
           && At(f, {r.right(), r.bottom()}) == right && At(f, {r.right() - r.width() / 4, y}) == right;
}

bool ShowsOnly(const WindowFixture &f, QColor colour)
{
    const QRect r = SideInside(f.form->State().Layout);
    const QImage side = f.form->View()->canvas().copy(r);
    for (int y = 0; y < side.height(); ++y)
        for (int x = 0; x < side.width(); ++x)
            if (side.pixelColor(x, y) != colour)
                return false;
    return true;
}

QColor TableColour(const WindowFixture &f)
{
    return ToColor(f.form->State().Layout.TableColour);
}

// Paints over the side area, as if something else had been drawn there.
void Scribble(WindowFixture &f)
{
    QPainter(&f.form->View()->canvas()).fillRect(SideInside(f.form->State().Layout), Qt::black);
}

int LoadFailuresSeen(const WindowFixture &f)
{
    int n = 0;
    for (const SeenBox &box : f.answerer.seen)
        if (box.text == LoadFailure) {
            ++n;
            if (box.caption != QStringLiteral(" Errore di caricamento") || box.icon != QMessageBox::Critical)
                return -1;
        }
    return n;
}

// A window with a picture the preferences have accepted in this run, once it
// has done the refresh that follows its first sizing.
void AcceptPicture(WindowFixture &f, const QString &path)
{
    QVERIFY(IdleUntil([&] { return !f.State().flags.ResizePending; }));
    GameSettings &s = f.State().Settings;
    s.SWBmpPath = path;
    s.ShowPicture = true;
    s.PictureFileOk = true;
}

void SendToWindow(WindowFixture &f, QEvent::Type type)
{
    QEvent event(type);
    QCoreApplication::sendEvent(f.form.get(), &event);
}

} // namespace

class TestSidePicture : public QObject {
    Q_OBJECT
private slots:
    // The program as it starts: the preferences dialog's activation tests the
    // stored picture file, without the dialog being shown.
    void startUp_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("readable file") << true;
        QTest::newRow("missing file") << false;
    }
    void startUp()
    {
        QFETCH(bool, readable);
        WindowFixture f(QStringLiteral("zozaro2.dll"), false);
        const QString path = readable ? WriteBitmap(f.dir, QStringLiteral("side.bmp"), LeftColour, RightColour)
                                      : f.dir.filePath(QStringLiteral("gone.bmp"));
        GameSettings &s = f.State().Settings;
        s.SWBmpPath = path;
        s.ShowPicture = true;
        QVERIFY(f.form->Store().StorePicturePath(s).Ok());
        auto *prefs = new TPrefDlg1(f.State(), f.form->Store(), f.form.get());
        f.form->SetDialogs({nullptr, nullptr, prefs, nullptr});
        prefs->OnPrefAct();
        QVERIFY(f.Show());
        QVERIFY(IdleUntil([&] { return s.PictureFileOk || !s.ShowPicture; }));
        QCOMPARE(s.PictureFileOk, readable);
        QCOMPARE(s.ShowPicture, readable);
        if (!readable) {
            QCOMPARE(f.answerer.seen.size(), std::size_t(1));
            QCOMPARE(f.answerer.seen[0].caption, QStringLiteral(" Errore di caricamento dell'immagine"));
        }
        // Nothing is loaded before the first refresh.
        QVERIFY(ShowsOnly(f, TableColour(f)));

        bool checked = false;
        f.PlayGame(6, [&] {
            checked = true;
            if (readable) {
                QVERIFY(ShowsHalves(f, LeftColour, RightColour));
                QVERIFY(f.State().paint.PictureShown);
            } else {
                QVERIFY(ShowsOnly(f, TableColour(f)));
                QVERIFY(!f.State().paint.PictureShown);
            }
        });
        QVERIFY(checked);
        QCOMPARE(LoadFailuresSeen(f), 0);
        // Switching the picture off for the run never touches the stored choice.
        QVERIFY(f.StoredSettings().ShowPicture);
    }

    void notAcceptedInThisRunIsSwitchedOff()
    {
        WindowFixture f;
        GameSettings &s = f.State().Settings;
        s.SWBmpPath = WriteBitmap(f.dir, QStringLiteral("side.bmp"), LeftColour, RightColour);
        s.ShowPicture = true;
        QVERIFY(f.form->Store().StorePicturePath(s).Ok());
        Scribble(f);
        f.form->RefreshSidePicture();
        QVERIFY(!s.ShowPicture);
        QVERIFY(!f.State().paint.PictureShown);
        QVERIFY(ShowsOnly(f, TableColour(f)));
        QVERIFY(f.StoredSettings().ShowPicture);
        QVERIFY(f.answerer.seen.empty());
    }

    void switchedOffEveryRefreshClears()
    {
        WindowFixture f;
        AcceptPicture(f, WriteBitmap(f.dir, QStringLiteral("side.bmp"), LeftColour, RightColour));
        f.form->RefreshSidePicture();
        QVERIFY(ShowsHalves(f, LeftColour, RightColour));
        f.State().Settings.ShowPicture = false;
        for (int i = 0; i < 2; ++i) {
            Scribble(f);
            f.form->RefreshSidePicture();
            QVERIFY(ShowsOnly(f, TableColour(f)));
            QVERIFY(!f.State().paint.PictureShown);
        }
        // A paint leaves the side alone as well.
        f.form->Repaint(PaintSender::Window);
        QVERIFY(ShowsOnly(f, TableColour(f)));
    }

    // The file is read at each refresh, the picture in memory at each paint.
    void lostFileIsToldAtEveryRefresh()
    {
        WindowFixture f;
        const QString path = WriteBitmap(f.dir, QStringLiteral("side.bmp"), LeftColour, RightColour);
        AcceptPicture(f, path);
        f.form->RefreshSidePicture();
        QVERIFY(QFile::remove(path));

        Scribble(f);
        f.form->Repaint(PaintSender::Window);
        QVERIFY(ShowsHalves(f, LeftColour, RightColour));
        QCOMPARE(LoadFailuresSeen(f), 0);

        for (int refresh = 1; refresh <= 2; ++refresh) {
            f.form->RefreshSidePicture();
            QCOMPARE(LoadFailuresSeen(f), refresh);
            QVERIFY(ShowsHalves(f, LeftColour, RightColour));
        }
    }

    // A file that is there but cannot be shown whole is told the same way,
    // and nothing of it is drawn; a null `bytes` is a FIFO, which a plain
    // open would wait on for ever.
    void unshowableFileIsTold_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTemporaryDir dir;
        QFile whole(WriteBitmap(dir, QStringLiteral("whole.bmp"), OtherColour, OtherColour));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bitmap = whole.readAll();
        QTest::newRow("no picture") << QByteArray("BM not a bitmap");
        QTest::newRow("cut short") << bitmap.left(bitmap.size() - 7);
        QTest::newRow("FIFO") << QByteArray();
        // 1 KB of run-length data that declares 5700 x 5700 pixels.
        QByteArray huge("BM", 2);
        const auto put = [&huge](quint32 value, int bytes) {
            for (int i = 0; i < bytes; ++i)
                huge += char(value >> (8 * i));
        };
        put(14 + 40 + 1024 + 2, 4), put(0, 4), put(14 + 40 + 1024, 4);
        put(40, 4), put(5700, 4), put(5700, 4), put(1, 2), put(8, 2), put(1, 4), put(2, 4);
        put(2835, 4), put(2835, 4), put(256, 4), put(0, 4);
        huge += QByteArray(1024, '\x40') + QByteArray("\0\1", 2);
        QTest::newRow("declares 5700 x 5700") << huge;
    }
    void unshowableFileIsTold()
    {
        QFETCH(QByteArray, bytes);
        WindowFixture f;
        const QString path = WriteBitmap(f.dir, QStringLiteral("side.bmp"), LeftColour, RightColour);
        AcceptPicture(f, path);
        f.form->RefreshSidePicture();
        QVERIFY(QFile::remove(path));
        if (bytes.isNull()) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        } else {
            QFile junk(path);
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write(bytes);
        }
        f.form->RefreshSidePicture();
        QCOMPARE(LoadFailuresSeen(f), 1);
        QVERIFY(ShowsHalves(f, LeftColour, RightColour));
    }

    // The box takes the activation away from the window; its return is no
    // new activation, or a game going on would bring the box back for ever.
    void backFromTheBoxIsNoNewRefresh()
    {
        WindowFixture f;
        const QString path = WriteBitmap(f.dir, QStringLiteral("side.bmp"), LeftColour, RightColour);
        AcceptPicture(f, path);
        f.answerer.onBox = [&](QMessageBox *) { SendToWindow(f, QEvent::WindowDeactivate); };
        f.PlayGame(8, [&] {
            QVERIFY(QFile::remove(path));
            f.form->RefreshSidePicture();
            QCOMPARE(LoadFailuresSeen(f), 1);
            SendToWindow(f, QEvent::WindowActivate);
            QCOMPARE(LoadFailuresSeen(f), 1);
            // A real activation afterwards refreshes, and tells, again.
            SendToWindow(f, QEvent::WindowActivate);
            QCOMPARE(LoadFailuresSeen(f), 2);
        });
    }

    void newPictureReplacesTheOld()
    {
        WindowFixture f;
        AcceptPicture(f, WriteBitmap(f.dir, QStringLiteral("first.bmp"), LeftColour, RightColour));
        f.form->RefreshSidePicture();
        QVERIFY(f.State().paint.PictureShown);

        GameSettings &s = f.State().Settings;
        s.SWBmpPath = WriteBitmap(f.dir, QStringLiteral("second.bmp"), OtherColour, LeftColour);
        s.PrefsChanged = true;
        f.form->RefreshSidePicture();
        QVERIFY(ShowsHalves(f, OtherColour, LeftColour));
        QVERIFY(f.State().paint.PictureShown);
    }

    void deactivationDrawsItAgainAtTheNextPaint()
    {
        WindowFixture f;
        AcceptPicture(f, WriteBitmap(f.dir, QStringLiteral("side.bmp"), LeftColour, RightColour));
        f.form->RefreshSidePicture();

        // A paint on behalf of the big button only draws a picture that is not
        // on the window.
        Scribble(f);
        f.form->Repaint(PaintSender::BitBtn1);
        QVERIFY(ShowsOnly(f, Qt::black));

        SendToWindow(f, QEvent::WindowDeactivate);
        QVERIFY(!f.State().paint.PictureShown);
        f.form->Repaint(PaintSender::BitBtn1);
        QVERIFY(ShowsHalves(f, LeftColour, RightColour));

        // With a game going, the activation itself refreshes the picture.
        f.PlayGame(7, [&] {
            Scribble(f);
            SendToWindow(f, QEvent::WindowDeactivate);
            SendToWindow(f, QEvent::WindowActivate);
            QVERIFY(ShowsHalves(f, LeftColour, RightColour));
            QVERIFY(f.State().paint.PictureShown);
        });
    }
};

int main(int argc, char **argv)
{
    return RunOnOffscreenScreen<TestSidePicture>(argc, argv, 1024, 768);
}

#include "test_sidepicture.moc"
