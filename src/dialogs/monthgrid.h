#pragma once
// The arithmetic of a month laid out as a grid of weeks: row 0 names the
// weekdays, rows 1 to 6 hold the days. Weekdays count from 0 = Sunday to
// 6 = Saturday.

class QDate;

namespace quintara {

inline constexpr int WeekColumns = 7;
inline constexpr int MonthRows = 7;  // the heading and six weeks

bool IsLeapYear(int year);
// January is month 1.
int DaysPerMonth(int year, int month);

// 0 = Sunday .. 6 = Saturday.
int WeekdayOf(const QDate &date);

// The day number that falls in column 0 of row 1 when the week begins on
// `startOfWeek`; zero or negative when the first of the month lies further
// right. A month beginning in the last column gets -5 rather than 2, so that
// row 1 never lies wholly before the first.
int MonthOffsetFor(int year, int month, int startOfWeek);

struct GridCell {
    int Column;
    int Row;
};

// Where `day` lies; and which day a cell holds, maybe outside the month.
GridCell CellOfDay(int day, int monthOffset);
int DayInCell(int column, int row, int monthOffset);

} // namespace quintara
