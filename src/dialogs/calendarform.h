#pragma once
// A small window with this month's calendar, today selected; it has no
// effect on the game.

#include <QDialog>

namespace quintara {

class TCCalendar;

class TCalendarForm : public QDialog {
    Q_OBJECT
public:
    explicit TCalendarForm(QWidget *parent = nullptr);

    TCCalendar *Calendar1() const { return Calendar; }

private:
    TCCalendar *Calendar;
};

} // namespace quintara
