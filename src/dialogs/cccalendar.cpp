#include "dialogs/cccalendar.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace quintara {

TCCalendar::TCCalendar(QWidget *parent)
    : QWidget(parent), Date(QDate::currentDate())
{
    setFocusPolicy(Qt::StrongFocus);
    UpdateCalendar();
}

void TCCalendar::SetCalendarDate(const QDate &date)
{
    if (!date.isValid())
        return;
    Date = date;
    UpdateCalendar();
}

void TCCalendar::SetUseCurrentDate(bool use)
{
    CurrentDate = use;
    if (use)
        SetCalendarDate(QDate::currentDate());
}

void TCCalendar::SetStartOfWeek(int weekday)
{
    WeekStart = (weekday % WeekColumns + WeekColumns) % WeekColumns;
    UpdateCalendar();
}

int TCCalendar::DaysThisMonth() const
{
    return DaysPerMonth(Date.year(), Date.month());
}

QString TCCalendar::GetCellText(int column, int row) const
{
    if (row == 0) {
        const int weekday = (WeekStart + column) % WeekColumns;
        // Qt numbers the weekdays from 1 = Monday to 7 = Sunday.
        return QLocale::system().dayName(weekday == 0 ? 7 : weekday, QLocale::ShortFormat);
    }
    const int day = DayInCell(column, row, Offset);
    if (day < 1 || day > DaysThisMonth())
        return {};
    return QString::number(day);
}

bool TCCalendar::SelectCell(int column, int row) const
{
    if (column < 0 || column >= WeekColumns || row < 1 || row >= MonthRows)
        return false;
    if (Locked && !Updating)
        return false;
    return !GetCellText(column, row).isEmpty();
}

int TCCalendar::DefaultColWidth() const
{
    return std::max(0, (width() - (WeekColumns - 1) * GridLineWidth) / WeekColumns);
}

int TCCalendar::DefaultRowHeight() const
{
    return std::max(0, (height() - (MonthRows - 1) * GridLineWidth) / MonthRows);
}

QRect TCCalendar::CellRect(int column, int row) const
{
    const int cellWidth = DefaultColWidth();
    const int cellHeight = DefaultRowHeight();
    return {column * (cellWidth + GridLineWidth), row * (cellHeight + GridLineWidth), cellWidth,
            cellHeight};
}

void TCCalendar::UpdateCalendar()
{
    Updating = true;
    Offset = MonthOffsetFor(Date.year(), Date.month(), WeekStart);
    const GridCell today = CellOfDay(Date.day(), Offset);
    if (SelectCell(today.Column, today.Row)) {
        SelectedColumn = today.Column;
        SelectedRow = today.Row;
    }
    update();
    Updating = false;
}

QSize TCCalendar::sizeHint() const
{
    return {320, 120};
}

void TCCalendar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setPen(palette().color(QPalette::Text));
    for (int row = 0; row < MonthRows; ++row)
        for (int column = 0; column < WeekColumns; ++column)
            DrawCell(p, column, row, CellRect(column, row));

    // The grid lines below and to the right of every cell, and the outline.
    const int right = WeekColumns * (DefaultColWidth() + GridLineWidth) - 1;
    const int bottom = MonthRows * (DefaultRowHeight() + GridLineWidth) - 1;
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, right, 0);
    p.drawLine(0, 0, 0, bottom);
    for (int column = 1; column <= WeekColumns; ++column) {
        const int x = column * (DefaultColWidth() + GridLineWidth) - 1;
        p.drawLine(x, 0, x, bottom);
    }
    for (int row = 1; row <= MonthRows; ++row) {
        const int y = row * (DefaultRowHeight() + GridLineWidth) - 1;
        p.drawLine(0, y, right, y);
    }
}

void TCCalendar::DrawCell(QPainter &p, int column, int row, const QRect &rect)
{
    QColor ink = palette().color(QPalette::Text);
    if (row == 0) {
        p.fillRect(rect, palette().color(QPalette::Button));
        ink = palette().color(QPalette::ButtonText);
    } else if (column == SelectedColumn && row == SelectedRow) {
        p.fillRect(rect, palette().color(QPalette::Highlight));
        ink = palette().color(QPalette::HighlightedText);
    }
    const QString text = GetCellText(column, row);
    const QFontMetrics metrics = p.fontMetrics();
    // Centred by halving the free room, rounded toward zero.
    const int left = rect.left() + (rect.width() - metrics.horizontalAdvance(text)) / 2;
    const int top = rect.top() + (rect.height() - metrics.height()) / 2;
    p.setPen(ink);
    p.drawText(left, top + metrics.ascent(), text);
}

bool TCCalendar::MoveSelection(int column, int row)
{
    if (!SelectCell(column, row))
        return false;
    SelectedColumn = column;
    SelectedRow = row;
    Click();
    update();
    return true;
}

void TCCalendar::Click()
{
    const QString text = GetCellText(SelectedColumn, SelectedRow);
    if (!text.isEmpty())
        SetCalendarDate(QDate(Date.year(), Date.month(), text.toInt()));
}

void TCCalendar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (at.x() < 0 || at.y() < 0)
        return;
    MoveSelection(at.x() / (DefaultColWidth() + GridLineWidth),
                  at.y() / (DefaultRowHeight() + GridLineWidth));
}

void TCCalendar::keyPressEvent(QKeyEvent *event)
{
    int column = SelectedColumn;
    int row = SelectedRow;
    switch (event->key()) {
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    MoveSelection(column, row);
}

} // namespace quintara
