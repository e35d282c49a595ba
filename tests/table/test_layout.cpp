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
        QCOMPARE(l.window.ScreenClass, screenClass);
        QCOMPARE(l.panel.DetailsDepthLimit, depthLimit);
        QCOMPARE(l.panel.InfoPanelTop, panelTop);
        QCOMPARE(l.panel.DetailsLineLimit, lineLimit);
        QCOMPARE(l.window.TableColour, (Rgb{0, 153, 0}));
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
        QCOMPARE(l.grid.CardWidth, cardWidth);
        QCOMPARE(l.grid.CardHeight, cardHeight);
        QCOMPARE(l.grid.PileRowWidth, pileRow);
        QCOMPARE(l.grid.TopStripHeight, topStrip);
        QCOMPARE(l.window.PlayAreaWidth, playWidth);
        QCOMPARE(l.window.PlayAreaHeight, 720);
        QCOMPARE(l.buttons.BitBtnLeft, bitBtnLeft);
        QCOMPARE(l.buttons.BitBtnTop, 17);
        QCOMPARE(l.grid.FoundationLeft, foundationLeft);
        // A narrow window is widened to hold the play area and its margin.
        QCOMPARE(l.window.ClientWidth, small ? 1024 : 1243);
        QCOMPARE(l.grid.CellFrame, (PixelRect{8, 8, 8 + pileRow, 8 + cardHeight}));
        QCOMPARE(l.grid.FoundationFrame, (PixelRect{foundationLeft, 8, foundationLeft + pileRow, 8 + cardHeight}));
        QCOMPARE(l.buffers.TopCopyRect, (PixelRect{6, 6, playWidth - 6, topStrip}));
        QCOMPARE(l.buffers.TableCopyRect, (PixelRect{6, topStrip, playWidth - 6, 720}));
        QCOMPARE(l.window.OuterFrame, (PixelRect{4, 4, playWidth - 4, 740}));
        QCOMPARE(l.window.SideArea, (PixelRect{playWidth, topStrip, l.window.ClientWidth, 740}));
        QCOMPARE(l.buffers.TopBufferSize, (Size{playWidth, topStrip}));
        QCOMPARE(l.buffers.TableBufferSize, (Size{playWidth, 720}));
        QCOMPARE(l.buffers.CardBufferSize, (Size{cardWidth, cardHeight}));
        // The widest spacing still keeps column 7 inside the play area.
        QVERIFY(ColumnLeft(l, 12, 7) + cardWidth <= playWidth);
    }

    void panelAndButtons()
    {
        LayoutInput input;
        input.screenWidth = 800;
        input.clientWidth = 800;
        input.clientHeight = 560;
        input.statusBarHeight = 20;
        TableLayout l = ComputeLayout(input);
        QCOMPARE(l.panel.InfoPanelLeft, 6);
        QCOMPARE(l.panel.InfoPanelSize, (Size{661, 560 - 367 - 20 - 10}));
        QCOMPARE(l.buttons.UndoBtnLeft, 675 + 21);
        QCOMPARE(l.buttons.ShowBtnLeft, 675 + 21);
        QCOMPARE(l.buttons.UndoBtnTop, 24);
        QCOMPARE(l.buttons.ShowBtnTop, 62);
        input.screenWidth = 1024;
        l = ComputeLayout(input);
        QCOMPARE(l.buttons.UndoBtnLeft, 675 + 42);
        // Row 8 ends above the panel on the small screen; that is why the depth limit is 9.
        QVERIFY(RowTop(ComputeLayout({800, 800, 600, 20}), 8) + 96 < 367);
    }

    void columnsAndRows()
    {
        LayoutInput input;
        const TableLayout l = ComputeLayout(input);
        QCOMPARE(ColumnLeft(l, 6, 7), 553);
        QCOMPARE(ColumnLeft(l, 12, 7), 595);
        QCOMPARE(ColumnLeft(l, 12, 0), 7);
        QCOMPARE(RowTop(l, 0), 112);
        QCOMPARE(RowTop(l, 17), l.grid.TopStripHeight + 306);
        QCOMPARE(RowTop(l, 17) + l.grid.CardHeight, 514);
        QCOMPARE(ColumnStrip(l, 91), (PixelRect{90, 112, 90 + 74, l.buffers.TableBufferSize.height}));
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "test_layout.moc"
