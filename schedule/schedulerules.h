#pragma once

#include "common/relay.h"

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

// What the schedule remembers of a relay between ticks: whether it has already switched the
// relay on, and off, in the minute it saw last. Kept for as long as the window lives,
// through disarming and arming, so that re-arming within a minute in which the schedule has
// switched does not switch again.
//
// The minute is kept as the minute of the day (hour x 60 + minute): a schedule disarmed at
// 07:00 and armed again for 08:00 must see 08:00 as a new minute, though both minutes read 0.
struct ScheduleMarks
{
    bool jaLigou = false;
    bool jaDesligou = false;
    int ultimoMinuto = 0;
};

// One tick of a relay's schedule, every 10 seconds while it is armed: a new minute clears the
// marks; then the switch-on time and the switch-off time are each looked at, reading the
// clock afresh each time. A time that is due marks the minute before it asks `switchTo` for
// the switch, so that nothing repeats in that minute, whether the switch was made, failed or
// was kept for later.
void scheduleTick(ScheduleMarks &marks, const ScheduleTimes &times,
                  const std::function<QTime()> &timeOfDay,
                  const std::function<void(Switch)> &switchTo);

} // namespace tavex
