#pragma once

#include "common/relay.h"

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>

#include <functional>
#include <optional>

namespace tavex {

// The hour and minute of the clock as the schedule reads them: from the time of day written
// hh:mm:ss, the hour from its characters 1 and 2 and the minute from characters 4 and 5.
struct ClockReading
{
    int hour = 0;
    int minute = 0;
};
std::optional<ClockReading> readClockText(QStringView hhmmss);
ClockReading readClock(QTime timeOfDay);

// The number a schedule box stands for: its first two characters with the blanks around the
// digits ignored ("7 h" is 7, "23 h" 23, " 7" 7, "07" 7), a sign included ("+7 h" is 7).
// Nothing when those characters are not a number ("", "7h", "ab"); such a setting never
// matches.
std::optional<int> settingNumber(QStringView comboText);
// A schedule's time as a clock writes it ("07:00" for the boxes "7 h" and "00"); the boxes'
// texts as they are when they name no number, as such a time is never due.
QString scheduleClockText(const QString &hourText, const QString &minuteText);

// Whether the clock stands at the minute that an hour box and a minute box give.
bool matchesSetting(const ClockReading &now, QStringView hourText, QStringView minuteText);

// The switch-on and switch-off time of one relay, as the boxes read.
struct ScheduleTimes
{
    QString onHour;
    QString onMinute;
    QString offHour;
    QString offMinute;
};

// A moment of the local clock counted in whole minutes, so that minutes compare across
// midnight: the date's day number x 1440 + the minute of the day.
qint64 clockMinute(const QDateTime &localTime);

// What the schedule remembers of a relay between ticks: whether it has already switched the
// relay on, and off, in the minute it saw last. Kept for as long as the window lives,
// through disarming and arming, so that re-arming within a minute in which the schedule has
// switched does not switch again.
//
// The minute is the latest clock minute seen, by a tick or by the arming (clockMinute): a
// schedule disarmed at 07:00 and armed again for 08:00 sees 08:00 as a new minute, though
// both minutes read 0; a clock set back less than a day finds every minute up to it seen,
// so none switches twice.
struct ScheduleMarks
{
    bool jaLigou = false;
    bool jaDesligou = false;
    qint64 ultimoMinuto = 0;
};

// Between two ticks more than a minute apart (a sleep, a clock set forward) but less than a
// day, the times that came due in the minutes between are missed. The switch due last of
// them is made, once, unless a time of the current minute, which the tick makes itself,
// comes after it. An hour or minute that names no time of day is never due.
inline constexpr qint64 kMinutesPerDay = 24 * 60;
std::optional<Switch> missedSwitch(qint64 previousMinute, qint64 currentMinute,
                                   const ScheduleTimes &times);

// Arming: the minute of the arming counts as seen, so a time already past when the schedule
// is armed is not made up for, and the first tick, 10 seconds later, switches only at a time
// it finds.
void scheduleArmed(ScheduleMarks &marks, const QDateTime &now);

// One tick of a relay's schedule, every 10 seconds while it is armed: a new minute clears the
// marks (and makes the switch that a gap since the minute seen last has missed); then the
// switch-on time and the switch-off time are each looked at, reading the clock afresh each
// time. A time that is due marks the minute before it asks `switchTo` for the switch, so that
// nothing repeats in that minute, whether the switch was made, failed or was kept for later.
// A clock set back to a minute already seen switches nothing until it has passed it again.
void scheduleTick(ScheduleMarks &marks, const ScheduleTimes &times,
                  const std::function<QDateTime()> &now,
                  const std::function<void(Switch)> &switchTo);

} // namespace tavex
