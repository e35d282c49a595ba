#pragma once
// How the game writes times: clock times in the desktop's long time format,
// game times as minutes within the hour and seconds.

#include <QDateTime>
#include <QString>

namespace quintara {

// Hours, minutes and seconds as the desktop's regional settings write them.
QString LongTimeText(const QDateTime &time);

// The time between two moments as "mm : ss", the minutes within the hour.
QString GameDurationText(const QDateTime &start, const QDateTime &end);

} // namespace quintara
