#pragma once
// A month as a grid of days: a heading row with the system's short weekday
// names, six weeks below it, the day of the shown date selected. Only cells
// with a day can be selected; choosing one makes it the shown date's day.

#include <QDate>
#include <QWidget>

#include "dialogs/monthgrid.h"

namespace quintara {

class TCCalendar : public QWidget {
    Q_OBJECT
public:
    explicit TCCalendar(QWidget *parent = nullptr);

    QDate CalendarDate() const { return Date; }
    void SetCalendarDate(const QDate &date);
    bool UseCurrentDate() const { return CurrentDate; }
    // Turned on, it brings the grid back to today.
    void SetUseCurrentDate(bool use);
    // Weekday of the first column, 0 = Sunday .. 6 = Saturday.
    int StartOfWeek() const { return WeekStart; }
    void SetStartOfWeek(int weekday);
    bool ReadOnly() const { return Locked; }
    void SetReadOnly(bool readOnly) { Locked = readOnly; }

    int MonthOffset() const { return Offset; }
    int DaysThisMonth() const;
    QString GetCellText(int column, int row) const;
    // Whether the selection may move to the cell.
    bool SelectCell(int column, int row) const;
    int Col() const { return SelectedColumn; }
    int Row() const { return SelectedRow; }
    // The room left by the grid lines, shared out among the cells.
    int DefaultColWidth() const;
    int DefaultRowHeight() const;
    QRect CellRect(int column, int row) const;

    void UpdateCalendar();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static constexpr int GridLineWidth = 1;

    void DrawCell(QPainter &painter, int column, int row, const QRect &rect);
    // A move of the selection by the player; true when it took place.
    bool MoveSelection(int column, int row);
    void Click();

    QDate Date;
    bool CurrentDate = true;
    int WeekStart = 1;
    bool Locked = false;
    int Offset = 0;
    bool Updating = false;
    int SelectedColumn = 0;
    int SelectedRow = 1;
};

} // namespace quintara
