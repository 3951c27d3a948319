#include "schedule/schedulerules.h"

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

bool matchesSetting(const ClockReading &now, QStringView hourText, QStringView minuteText)
{
    return settingNumber(hourText) == now.hour && settingNumber(minuteText) == now.minute;
}

void scheduleTick(ScheduleMarks &marks, const ScheduleTimes &times,
                  const std::function<QTime()> &timeOfDay,
                  const std::function<void(Switch)> &switchTo)
{
    const ClockReading now = readClock(timeOfDay());
    const int minuteOfDay = now.hour * 60 + now.minute;
    if (minuteOfDay != marks.ultimoMinuto) {
        marks.ultimoMinuto = minuteOfDay;
        marks.jaLigou = false;
        marks.jaDesligou = false;
    }
    const auto step = [&](bool &done, QStringView hour, QStringView minuteText, Switch direction) {
        if (done || !matchesSetting(readClock(timeOfDay()), hour, minuteText))
            return;
        done = true;
        switchTo(direction);
    };
    step(marks.jaLigou, times.onHour, times.onMinute, Switch::On);
    step(marks.jaDesligou, times.offHour, times.offMinute, Switch::Off);
}

} // namespace tavex
