#include "dialogs/calendarform.h"

#include <QPushButton>

#include "dialogs/artwork.h"
#include "dialogs/cccalendar.h"
#include "dialogs/dialogparts.h"

namespace quintara {

TCalendarForm::TCalendarForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CalendarForm"));
    setWindowTitle(QStringLiteral(" Un calendario per aiutarti..."));
    setFixedSize(381, 204);
    move(CalendarPlace);

    // The date is the one of this moment; the window is made once and kept,
    // so a later opening still shows it, with the day the player chose.
    Calendar = new TCCalendar(this);
    Calendar->setObjectName(QStringLiteral("Calendar1"));
    Calendar->setGeometry(31, 18, 320, 120);

    QPushButton *ok = MakeOkButton(this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(141, 154, 99, 38);
}

} // namespace quintara
