#include <set>

#include <QLocale>
#include <QPushButton>
#include <QtTest>

#include "dialogs/calendarform.h"
#include "dialogs/cccalendar.h"
#include "dialogtests.h"

using namespace quintara;

namespace {

void ClickCell(TCCalendar &calendar, int column, int row)
{
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, calendar.CellRect(column, row).center());
}

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void daysPerMonth_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        QTest::newRow("February 1900") << 1900 << 2 << 28;
        QTest::newRow("February 2000") << 2000 << 2 << 29;
        QTest::newRow("February 2004") << 2004 << 2 << 29;
        QTest::newRow("February 2023") << 2023 << 2 << 28;
        QTest::newRow("February 2100") << 2100 << 2 << 28;
        QTest::newRow("April") << 2025 << 4 << 30;
        QTest::newRow("December") << 2025 << 12 << 31;
        QTest::newRow("no month 13") << 2025 << 13 << 0;
    }
    void daysPerMonth()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, days);
        QCOMPARE(DaysPerMonth(year, month), days);
    }

    // Two centuries of months against Qt's own calendar.
    void everyMonthFitsSixWeeks()
    {
        for (int year = 1899; year <= 2101; ++year) {
            QCOMPARE(IsLeapYear(year), QDate::isLeapYear(year));
            for (int month = 1; month <= 12; ++month) {
                const int days = DaysPerMonth(year, month);
                QCOMPARE(days, QDate(year, month, 1).daysInMonth());
                for (int start = 0; start < 7; ++start) {
                    const int offset = MonthOffsetFor(year, month, start);
                    QVERIFY(offset >= -5 && offset <= 1);
                    std::set<std::pair<int, int>> used;
                    for (int day = 1; day <= days; ++day) {
                        const GridCell cell = CellOfDay(day, offset);
                        QVERIFY(cell.Row >= 1 && cell.Row <= 6);
                        QCOMPARE(DayInCell(cell.Column, cell.Row, offset), day);
                        // The column says the weekday.
                        QCOMPARE((start + cell.Column) % 7, WeekdayOf(QDate(year, month, day)));
                        used.insert({cell.Column, cell.Row});
                    }
                    QCOMPARE(int(used.size()), days);
                    QCOMPARE(CellOfDay(1, offset).Row, 1);
                }
            }
        }
    }

    void monthOffset_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("startOfWeek");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("firstColumn");
        QTest::newRow("begins on Monday") << QDate(2025, 9, 1) << 1 << 1 << 0;
        QTest::newRow("begins on Sunday") << QDate(2025, 6, 1) << 1 << -5 << 6;
        QTest::newRow("begins on Wednesday") << QDate(2025, 10, 1) << 1 << -1 << 2;
        QTest::newRow("Sunday first, begins on Sunday") << QDate(2025, 6, 1) << 0 << 1 << 0;
        QTest::newRow("Sunday first, begins on Saturday") << QDate(2025, 11, 1) << 0 << -5 << 6;
    }
    void monthOffset()
    {
        QFETCH(QDate, date);
        QFETCH(int, startOfWeek);
        QFETCH(int, offset);
        QFETCH(int, firstColumn);
        TCCalendar calendar;
        calendar.resize(320, 120);
        calendar.SetStartOfWeek(startOfWeek);
        calendar.SetCalendarDate(date);
        QCOMPARE(calendar.MonthOffset(), offset);
        for (int column = 0; column < 7; ++column)
            QCOMPARE(calendar.GetCellText(column, 1).isEmpty(), column < firstColumn);
        QCOMPARE(calendar.GetCellText(firstColumn, 1), QStringLiteral("1"));
        QCOMPARE(calendar.Col(), firstColumn);
        QCOMPARE(calendar.Row(), 1);
    }

    void grid()
    {
        TCCalendar calendar;
        calendar.resize(320, 120);
        QCOMPARE(calendar.CalendarDate(), QDate::currentDate());
        QVERIFY(calendar.UseCurrentDate());
        QCOMPARE(calendar.StartOfWeek(), 1);
        QCOMPARE(calendar.DefaultColWidth(), 44);
        QCOMPARE(calendar.DefaultRowHeight(), 16);

        // The heading follows the system's language, Monday first.
        for (int column = 0; column < 7; ++column)
            QCOMPARE(calendar.GetCellText(column, 0),
                     QLocale::system().dayName(column + 1, QLocale::ShortFormat));

        // March 2026 begins on a Sunday and needs all six weeks.
        calendar.SetCalendarDate(QDate(2026, 3, 17));
        QCOMPARE(calendar.GetCellText(0, 6), QStringLiteral("30"));
        QCOMPARE(calendar.GetCellText(1, 6), QStringLiteral("31"));
        QCOMPARE(calendar.GetCellText(2, 6), QString());
        QCOMPARE(calendar.Col(), 1);
        QCOMPARE(calendar.Row(), 4);

        calendar.SetCalendarDate(QDate(1900, 2, 10));
        QCOMPARE(calendar.DaysThisMonth(), 28);
        calendar.SetCalendarDate(QDate(2000, 2, 10));
        QCOMPARE(calendar.DaysThisMonth(), 29);

        calendar.SetUseCurrentDate(true);
        QCOMPARE(calendar.CalendarDate(), QDate::currentDate());
    }

    void onlyDaysCanBeChosen()
    {
        TCCalendar calendar;
        calendar.resize(320, 120);
        calendar.SetCalendarDate(QDate(2025, 6, 15));
        QCOMPARE(calendar.Col(), 6);
        QCOMPARE(calendar.Row(), 3);
        calendar.show();

        ClickCell(calendar, 0, 1);  // before the first
        ClickCell(calendar, 3, 0);  // the heading
        ClickCell(calendar, 2, 6);  // after the 30th
        QCOMPARE(calendar.CalendarDate(), QDate(2025, 6, 15));
        QCOMPARE(calendar.Col(), 6);
        QCOMPARE(calendar.Row(), 3);

        ClickCell(calendar, 4, 4);   // the fourth week, Friday
        QCOMPARE(calendar.CalendarDate(), QDate(2025, 6, 20));
        QCOMPARE(calendar.Col(), 4);
        QCOMPARE(calendar.Row(), 4);

        // The keys walk over days and stop where the month stops.
        calendar.setFocus();
        ClickCell(calendar, 6, 1);
        QCOMPARE(calendar.CalendarDate(), QDate(2025, 6, 1));
        QTest::keyClick(&calendar, Qt::Key_Left);
        QTest::keyClick(&calendar, Qt::Key_Up);
        QCOMPARE(calendar.CalendarDate(), QDate(2025, 6, 1));
        QTest::keyClick(&calendar, Qt::Key_Down);
        QCOMPARE(calendar.CalendarDate(), QDate(2025, 6, 8));

        calendar.SetReadOnly(true);
        ClickCell(calendar, 2, 3);
        QCOMPARE(calendar.CalendarDate(), QDate(2025, 6, 8));
        // The grid itself still puts the selection on the date it is given.
        calendar.SetCalendarDate(QDate(2025, 6, 11));
        QCOMPARE(calendar.Col(), 2);
        QCOMPARE(calendar.Row(), 3);
    }

    void startOfWeekRedrawsTheMonth()
    {
        TCCalendar calendar;
        calendar.resize(320, 120);
        calendar.SetCalendarDate(QDate(2025, 9, 1));
        calendar.SetStartOfWeek(0);
        QCOMPARE(calendar.GetCellText(0, 0), QLocale::system().dayName(7, QLocale::ShortFormat));
        QCOMPARE(calendar.MonthOffset(), 0);
        QCOMPARE(calendar.Col(), 1);
        calendar.SetStartOfWeek(8);  // taken as a weekday, Monday
        QCOMPARE(calendar.StartOfWeek(), 1);
        QCOMPARE(calendar.MonthOffset(), 1);
    }

    void form()
    {
        TCalendarForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral(" Un calendario per aiutarti..."));
        QCOMPARE(form.size(), QSize(381, 204));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.pos(), QPoint(130, 200));
        QCOMPARE(form.Calendar1()->geometry(), QRect(31, 18, 320, 120));
        QVERIFY(form.Calendar1()->focusPolicy() & Qt::TabFocus);
        auto *ok = form.findChild<QPushButton *>(QStringLiteral("BitBtn1"));
        QCOMPARE(ok->geometry(), QRect(141, 154, 99, 38));

        form.show();
        QVERIFY(form.isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }
};

namespace quintara::test {

int RunCalendarTests(int argc, char **argv)
{
    TestCalendar tests;
    return QTest::qExec(&tests, argc, argv);
}

} // namespace quintara::test

#include "test_calendar.moc"
