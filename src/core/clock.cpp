#include "core/clock.h"

#include <QLocale>
#include <QRegularExpression>

namespace quintara {

QString LongTimeText(const QDateTime &time)
{
    // The long format of the locale names the time zone too; the game shows
    // only hours, minutes and seconds.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\(?t+\\)?")));
    return QLocale::system().toString(time.time(), format.trimmed());
}

QString GameDurationText(const QDateTime &start, const QDateTime &end)
{
    const qint64 seconds = qAbs(start.secsTo(end));
    return QStringLiteral("%1 : %2")
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace quintara
