#include <QTest>

#include "table/layout.h"

using namespace quintara;

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void screenClasses_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("screenClass");
        QTest::addColumn<int>("depthLimit");
        QTest::addColumn<int>("panelTop");
        QTest::addColumn<int>("lineLimit");
        QTest::newRow("799") << 799 << 0 << 0 << 535 << 14;
        QTest::newRow("800") << 800 << 1 << 9 << 367 << 5;
        QTest::newRow("1023") << 1023 << 1 << 9 << 367 << 5;
        QTest::newRow("1024") << 1024 << 2 << 18 << 535 << 14;
        QTest::newRow("1920") << 1920 << 2 << 18 << 535 << 14;
    }
    void screenClasses()
    {
        QFETCH(int, width);
        QFETCH(int, screenClass);
        QFETCH(int, depthLimit);
        QFETCH(int, panelTop);
        QFETCH(int, lineLimit);
        LayoutInput input;
        input.screenWidth = width;
        const TableLayout l = ComputeLayout(input);
        QCOMPARE(l.ScreenClass, screenClass);
        QCOMPARE(l.DetailsDepthLimit, depthLimit);
        QCOMPARE(l.InfoPanelTop, panelTop);
        QCOMPARE(l.DetailsLineLimit, lineLimit);
        QCOMPARE(l.TableColour, (Rgb{0, 153, 0}));
    }

    void cardSizes_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<int>("cardWidth");
        QTest::addColumn<int>("cardHeight");
        QTest::addColumn<int>("pileRow");
        QTest::addColumn<int>("topStrip");
        QTest::addColumn<int>("playWidth");
        QTest::addColumn<int>("bitBtnLeft");
        QTest::addColumn<int>("foundationLeft");
        QTest::newRow("72 x 96") << true << 72 << 96 << 292 << 112 << 675 << 317 << 375;
        QTest::newRow("142 x 192") << false << 142 << 192 << 572 << 208 << 1235 << 597 << 655;
    }
    void cardSizes()
    {
        QFETCH(bool, small);
        QFETCH(int, cardWidth);
        QFETCH(int, cardHeight);
        QFETCH(int, pileRow);
        QFETCH(int, topStrip);
        QFETCH(int, playWidth);
        QFETCH(int, bitBtnLeft);
        QFETCH(int, foundationLeft);
        LayoutInput input;
        input.origCardSize = small;
        input.clientWidth = 1024;
        input.clientHeight = 740;
        input.statusBarHeight = 20;
        const TableLayout l = ComputeLayout(input);
        QCOMPARE(l.CardWidth, cardWidth);
        QCOMPARE(l.CardHeight, cardHeight);
        QCOMPARE(l.PileRowWidth, pileRow);
        QCOMPARE(l.TopStripHeight, topStrip);
        QCOMPARE(l.PlayAreaWidth, playWidth);
        QCOMPARE(l.PlayAreaHeight, 720);
        QCOMPARE(l.BitBtnLeft, bitBtnLeft);
        QCOMPARE(l.BitBtnTop, 17);
        QCOMPARE(l.FoundationLeft, foundationLeft);
        // A narrow window is widened to hold the play area and its margin.
        QCOMPARE(l.ClientWidth, small ? 1024 : 1243);
        QCOMPARE(l.CellFrame, (PixelRect{8, 8, 8 + pileRow, 8 + cardHeight}));
        QCOMPARE(l.FoundationFrame, (PixelRect{foundationLeft, 8, foundationLeft + pileRow, 8 + cardHeight}));
        QCOMPARE(l.TopCopyRect, (PixelRect{6, 6, playWidth - 6, topStrip}));
        QCOMPARE(l.TableCopyRect, (PixelRect{6, topStrip, playWidth - 6, 720}));
        QCOMPARE(l.OuterFrame, (PixelRect{4, 4, playWidth - 4, 740}));
        QCOMPARE(l.SideArea, (PixelRect{playWidth, topStrip, l.ClientWidth, 740}));
        QCOMPARE(l.TopBufferSize, (Size{playWidth, topStrip}));
        QCOMPARE(l.TableBufferSize, (Size{playWidth, 720}));
        QCOMPARE(l.CardBufferSize, (Size{cardWidth, cardHeight}));
        // The widest spacing still keeps column 7 inside the play area.
        QVERIFY(ColumnLeft(l, 7) + cardWidth <= playWidth);
    }

    void panelAndButtons()
    {
        LayoutInput input;
        input.screenWidth = 800;
        input.clientWidth = 800;
        input.clientHeight = 560;
        input.statusBarHeight = 20;
        TableLayout l = ComputeLayout(input);
        QCOMPARE(l.InfoPanelLeft, 6);
        QCOMPARE(l.InfoPanelSize, (Size{661, 560 - 367 - 20 - 10}));
        QCOMPARE(l.UndoBtnLeft, 675 + 21);
        QCOMPARE(l.ShowBtnLeft, 675 + 21);
        QCOMPARE(l.UndoBtnTop, 24);
        QCOMPARE(l.ShowBtnTop, 62);
        input.screenWidth = 1024;
        l = ComputeLayout(input);
        QCOMPARE(l.UndoBtnLeft, 675 + 42);
        // Row 8 ends above the panel on the small screen; that is why the depth limit is 9.
        QVERIFY(RowTop(ComputeLayout({800, 800, 600, 20}), 8) + 96 < 367);
    }

    void columnsAndRows()
    {
        LayoutInput input;
        input.columnSpacing = 6;
        TableLayout l = ComputeLayout(input);
        QCOMPARE(ColumnLeft(l, 7), 553);
        l.ColumnGap = 12;
        QCOMPARE(ColumnLeft(l, 7), 595);
        QCOMPARE(ColumnLeft(l, 0), 7);
        QCOMPARE(RowTop(l, 0), 112);
        QCOMPARE(RowTop(l, 17), l.TopStripHeight + 306);
        QCOMPARE(RowTop(l, 17) + l.CardHeight, 514);
        QCOMPARE(ColumnStrip(l, 91), (PixelRect{90, 112, 90 + 74, l.TableBufferSize.height}));
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "test_layout.moc"
