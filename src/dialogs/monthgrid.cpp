#include "dialogs/monthgrid.h"

#include <QDate>

namespace quintara {

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysPerMonth(int year, int month)
{
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return Days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int WeekdayOf(const QDate &date)
{
    return date.dayOfWeek() % 7;  // Qt counts 1 = Monday .. 7 = Sunday
}

int MonthOffsetFor(int year, int month, int startOfWeek)
{
    // The weekday of the first, counted 1 = Sunday .. 7 = Saturday.
    const int first = WeekdayOf(QDate(year, month, 1)) + 1;
    const int offset = 2 - (first - startOfWeek + 7) % 7;
    return offset == 2 ? -5 : offset;
}

GridCell CellOfDay(int day, int monthOffset)
{
    const int index = day - monthOffset;
    return {index % WeekColumns, index / WeekColumns + 1};
}

int DayInCell(int column, int row, int monthOffset)
{
    return monthOffset + column + (row - 1) * WeekColumns;
}

} // namespace quintara
