#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "dialogs/aboutbox.h"
#include "dialogtests.h"

using namespace quintara;

namespace {

QLineEdit *AddressField(const TAboutBox &box)
{
    return box.findChild<QLineEdit *>(QStringLiteral("RichEdit1"));
}

QPushButton *CopyButton(const TAboutBox &box)
{
    return box.findChild<QPushButton *>(QStringLiteral("Button1"));
}

void ExpectAddressShown(const TAboutBox &box)
{
    QLineEdit *field = AddressField(box);
    QCOMPARE(field->text(), TAboutBox::WebAddress);
    QVERIFY(field->isReadOnly());
    QVERIFY(field->font().underline());
    QCOMPARE(field->palette().color(QPalette::Text), QColor(Qt::blue));
}

} // namespace

class TestAboutBox : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void window()
    {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral(" Informazioni sul gioco"));
        QCOMPARE(box.size(), QSize(540, 547));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(box.pos(), QPoint(119, 56));
        const auto text = [&box](const char *name) {
            return box.findChild<QLabel *>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(text("ProductName"), QStringLiteral("Quintara - Edizione Speciale"));
        QCOMPARE(text("Version"), QStringLiteral(" Versione 2.1,   Release 2 "));
        QCOMPARE(text("Label1"), QStringLiteral("Creata per l'intrattenimento e lo studio da"));
        QCOMPARE(CopyButton(box)->text(), QStringLiteral("Copia l'URL sul desktop"));
        QVERIFY(box.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->isReadOnly());
        ExpectAddressShown(box);

        // Wherever it was left, it opens in its place with OK ready.
        box.move(300, 300);
        box.show();
        QCOMPARE(box.pos(), QPoint(119, 56));
        auto *ok = box.findChild<QPushButton *>(QStringLiteral("BitBtn1"));
        QCOMPARE(ok->geometry(), QRect(328, 485, 99, 32));
        QVERIFY(ok->isDefault());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!box.isVisible());
    }

    void copyShowsTheConfirmationThenTheAddress()
    {
        TAboutBox box;
        box.show();
        QTest::mouseClick(CopyButton(box), Qt::LeftButton);

        QCOMPARE(QGuiApplication::clipboard()->text(), TAboutBox::WebAddress);
        QCOMPARE(AddressField(box)->text(), TAboutBox::CopiedText);
        QVERIFY(!AddressField(box)->font().underline());
        QCOMPARE(AddressField(box)->palette().color(QPalette::Text), QColor(Qt::red));
        QVERIFY(box.ConfirmationShown());
        QVERIFY(box.Timer1().isActive());
        QVERIFY(box.Timer1().isSingleShot());
        QCOMPARE(box.Timer1().interval(), 2000);

        box.Timer1Timer();
        ExpectAddressShown(box);
        QVERIFY(!box.ConfirmationShown());
        QVERIFY(!box.Timer1().isActive());
        QCOMPARE(box.Timer1().interval(), 2000);

        // A late tick with nothing on display leaves the field alone.
        box.Timer1Timer();
        ExpectAddressShown(box);
    }

    void pressOnTheAddressCopiesToo()
    {
        TAboutBox box;
        box.show();
        QTest::mouseClick(AddressField(box), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), TAboutBox::WebAddress);
        QCOMPARE(AddressField(box)->text(), TAboutBox::CopiedText);
        QVERIFY(box.Timer1().isActive());
    }

    // The one test that lets the real timer run: a second press half a
    // second in must not push the address's return back.
    void secondPressKeepsTheFirstDeadline()
    {
        TAboutBox box;
        box.show();
        QElapsedTimer sinceFirst;
        sinceFirst.start();
        QTest::mouseClick(CopyButton(box), Qt::LeftButton);
        QTest::qWait(500);

        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(CopyButton(box), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), TAboutBox::WebAddress);
        QCOMPARE(AddressField(box)->text(), TAboutBox::CopiedText);
        QVERIFY2(box.Timer1().remainingTime() <= 1600,
                 qPrintable(QString::number(box.Timer1().remainingTime())));

        QTRY_COMPARE_WITH_TIMEOUT(AddressField(box)->text(), TAboutBox::WebAddress, 3000);
        QVERIFY2(sinceFirst.elapsed() < 2400, qPrintable(QString::number(sinceFirst.elapsed())));
        ExpectAddressShown(box);
    }
};

namespace quintara::test {

int RunAboutBoxTests(int argc, char **argv)
{
    TestAboutBox tests;
    return QTest::qExec(&tests, argc, argv);
}

} // namespace quintara::test

#include "test_aboutbox.moc"
