#include "timed/countdown.h"

#include "common/numbers.h"
#include "timed/durationrules.h"
#include "timed/units.h"

namespace tavex {

CountdownStep countdownStep(qint64 ticks, QStringView duration, QStringView unit,
                            const QLocale &locale)
{
    const std::optional<int> perUnit = secondsPerUnit(unit);
    if (!perUnit)
        return {};
    const double remaining = durationValue(duration, locale) * *perUnit - double(ticks);
    const double target = leadingNumberValue(duration) * *perUnit;
    CountdownStep step;
    step.label = unitUsesSignBlank(unit) ? signBlankNumberText(remaining)
                                         : plainNumberText(remaining, locale);
    step.finished = target > 0 && double(ticks) >= target;
    return step;
}

Countdown::Countdown(int relay, QObject *parent)
    : QObject(parent), m_relay(relay), m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("Timer%1").arg(relay));
    m_timer->setInterval(kTickMs);
    // A precise timer keeps its ticks on the one-second grid, so a long countdown does not
    // drift.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &Countdown::tick);
}

CountdownStep Countdown::advance(QStringView duration, QStringView unit, const QLocale &locale)
{
    ++m_ticks;
    return countdownStep(m_ticks, duration, unit, locale);
}

} // namespace tavex
