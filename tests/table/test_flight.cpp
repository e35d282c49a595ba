#include <QTest>

#include "table/flight.h"

using namespace quintara;

using Path = std::vector<FlightPoint>;
Q_DECLARE_METATYPE(Path)

class TestFlight : public QObject {
    Q_OBJECT
private slots:
    void paths_data()
    {
        QTest::addColumn<int>("fromX");
        QTest::addColumn<int>("fromY");
        QTest::addColumn<int>("toX");
        QTest::addColumn<int>("toY");
        QTest::addColumn<Path>("path");
        QTest::newRow("long flight up and right") << 295 << 400 << 448 << 9
            << Path{{320, 335}, {345, 270}, {370, 205}, {395, 140}, {420, 75}, {445, 10}};
        QTest::newRow("short flight, divisor halved twice") << 100 << 200 << 160 << 150
            << Path{{120, 150}};
        QTest::newRow("purely vertical") << 100 << 400 << 100 << 9 << Path{};
        QTest::newRow("purely horizontal") << 100 << 9 << 400 << 9 << Path{};
        QTest::newRow("start is destination") << 376 << 9 << 376 << 9 << Path{};
        QTest::newRow("up and left") << 600 << 400 << 376 << 9
            << Path{{563, 335}, {526, 270}, {489, 205}, {452, 140}, {415, 75}, {378, 10}};
    }
    void paths()
    {
        QFETCH(int, fromX);
        QFETCH(int, fromY);
        QFETCH(int, toX);
        QFETCH(int, toY);
        QFETCH(Path, path);
        QCOMPARE(FlightPath(fromX, fromY, toX, toY), path);
    }

    void everyFlightEndsNearItsTarget()
    {
        // Whatever the distances, the path is short and never passes the target.
        for (int fx = 0; fx <= 700; fx += 37) {
            for (int fy = 9; fy <= 500; fy += 41) {
                const Path p = FlightPath(fx, fy, 448, 9);
                QVERIFY(p.size() <= 8);
                for (const FlightPoint &pt : p) {
                    QVERIFY(pt.y >= 9);
                    QVERIFY(fx <= 448 ? pt.x <= 448 : pt.x >= 448);
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestFlight)
#include "test_flight.moc"
