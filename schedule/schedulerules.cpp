#include "schedule/schedulerules.h"

#include <utility>

namespace tavex {

namespace {

std::optional<int> twoDigitNumber(QStringView text)
{
    const QStringView digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    int value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

std::optional<ClockReading> readClockText(QStringView hhmmss)
{
    if (hhmmss.size() < 5)
        return std::nullopt;
    const std::optional<int> hour = twoDigitNumber(hhmmss.mid(0, 2));
    const std::optional<int> minute = twoDigitNumber(hhmmss.mid(3, 2));
    if (!hour || !minute)
        return std::nullopt;
    return ClockReading{*hour, *minute};
}

ClockReading readClock(QTime timeOfDay)
{
    // A valid time always reads; an invalid one is taken as midnight.
    return readClockText(timeOfDay.toString(QStringLiteral("hh:mm:ss"))).value_or(ClockReading{});
}

std::optional<int> settingNumber(QStringView comboText)
{
    // A sign may stand before a digit: "+7 h" is 7, "-1" is -1, which no clock matches.
    const QStringView text = comboText.left(2).trimmed();
    if (text.size() == 2 && (text[0] == u'+' || text[0] == u'-')) {
        const std::optional<int> digit = twoDigitNumber(text.sliced(1));
        return digit && text[0] == u'-' ? std::optional<int>(-*digit) : digit;
    }
    return twoDigitNumber(text);
}

QString scheduleClockText(const QString &hourText, const QString &minuteText)
{
    const std::optional<int> hour = settingNumber(hourText), minute = settingNumber(minuteText);
    if (!hour || !minute)
        return hourText + u':' + minuteText;
    return QStringLiteral("%1:%2").arg(*hour, 2, 10, QChar(u'0')).arg(*minute, 2, 10, QChar(u'0'));
}

bool matchesSetting(const ClockReading &now, QStringView hourText, QStringView minuteText)
{
    return settingNumber(hourText) == now.hour && settingNumber(minuteText) == now.minute;
}

qint64 clockMinute(const QDateTime &localTime)
{
    const ClockReading reading = readClock(localTime.time());
    return localTime.date().toJulianDay() * kMinutesPerDay + reading.hour * 60 + reading.minute;
}

namespace {

// The minute of the day that an hour box and a minute box name, if they name one.
std::optional<qint64> settingMinuteOfDay(QStringView hourText, QStringView minuteText)
{
    const std::optional<int> hour = settingNumber(hourText);
    const std::optional<int> minute = settingNumber(minuteText);
    if (!hour || !minute || *hour < 0 || *hour > 23 || *minute < 0 || *minute > 59)
        return std::nullopt;
    return *hour * 60 + *minute;
}

// The last minute up to `latest` that falls on the minute of the day `minuteOfDay`.
qint64 lastOccurrence(qint64 latest, qint64 minuteOfDay)
{
    const qint64 back = ((latest - minuteOfDay) % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
    return latest - back;
}

void observeMinute(ScheduleMarks &marks, qint64 minute)
{
    marks.ultimoMinuto = minute;
    marks.jaLigou = false;
    marks.jaDesligou = false;
}

} // namespace

std::optional<Switch> missedSwitch(qint64 previousMinute, qint64 currentMinute,
                                   const ScheduleTimes &times)
{
    const qint64 gap = currentMinute - previousMinute;
    if (gap <= 1 || gap >= kMinutesPerDay)
        return std::nullopt;
    const std::optional<qint64> on = settingMinuteOfDay(times.onHour, times.onMinute);
    const std::optional<qint64> off = settingMinuteOfDay(times.offHour, times.offMinute);
    // A time of the current minute is the tick's own to make, after every missed one.
    const qint64 minuteOfDay = currentMinute % kMinutesPerDay;
    if (on == minuteOfDay || off == minuteOfDay)
        return std::nullopt;
    // In one minute the switch-off comes after the switch-on, as the tick makes them.
    std::optional<Switch> last;
    qint64 lastAt = previousMinute;
    for (const auto &[time, direction] : {std::pair{on, Switch::On}, std::pair{off, Switch::Off}}) {
        if (!time)
            continue;
        const qint64 at = lastOccurrence(currentMinute - 1, *time);
        if (at > previousMinute && at >= lastAt) {
            lastAt = at;
            last = direction;
        }
    }
    return last;
}

void scheduleArmed(ScheduleMarks &marks, const QDateTime &now)
{
    const qint64 minute = clockMinute(now);
    if (minute > marks.ultimoMinuto || marks.ultimoMinuto - minute >= kMinutesPerDay)
        observeMinute(marks, minute);
}

void scheduleTick(ScheduleMarks &marks, const ScheduleTimes &times,
                  const std::function<QDateTime()> &now,
                  const std::function<void(Switch)> &switchTo)
{
    const qint64 minute = clockMinute(now());
    if (minute < marks.ultimoMinuto && marks.ultimoMinuto - minute < kMinutesPerDay)
        return;
    if (minute != marks.ultimoMinuto) {
        const std::optional<Switch> missed = missedSwitch(marks.ultimoMinuto, minute, times);
        observeMinute(marks, minute);
        if (missed)
            switchTo(*missed);
    }
    const auto step = [&](bool &done, QStringView hour, QStringView minuteText, Switch direction) {
        if (done || !matchesSetting(readClock(now().time()), hour, minuteText))
            return;
        done = true;
        switchTo(direction);
    };
    step(marks.jaLigou, times.onHour, times.onMinute, Switch::On);
    step(marks.jaDesligou, times.offHour, times.offMinute, Switch::Off);
}

} // namespace tavex
