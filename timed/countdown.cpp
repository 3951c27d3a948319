#include "timed/countdown.h"

#include "common/numbers.h"
#include "timed/durationrules.h"
#include "timed/units.h"

#include <algorithm>
#include <cmath>

namespace tavex {

namespace {

// Below this many thousandths every sum of the countdown is a whole number that a double
// holds exactly, in every unit (2^53 is about 9e15; a hundred million days is 8.64e15 ms).
constexpr double kExactThousandths = 1e11;

// A duration in thousandths of its unit. The decimal the user typed comes out whole, so the
// seconds derived from it are exact: a value is taken as a whole number of thousandths when
// it is the double nearest to one, which every text the duration field can hold is (three
// characters hold at most one decimal). Other values are scaled as they are.
double thousandths(double value)
{
    const double scaled = value * 1000;
    const double whole = std::round(scaled);
    return std::abs(whole) < kExactThousandths && whole / 1000 == value ? whole : scaled;
}

} // namespace

CountdownTarget countdownTarget(QStringView duration, QStringView unit, const QLocale &locale)
{
    CountdownTarget target;
    target.perUnit = secondsPerUnit(unit);
    if (!target.perUnit)
        return target;
    target.durationMs = thousandths(durationValue(duration, locale)) * *target.perUnit;
    target.endMs = thousandths(leadingNumberValue(duration)) * *target.perUnit;
    target.signBlank = unitUsesSignBlank(unit);
    return target;
}

CountdownStep countdownStep(qint64 ticks, const CountdownTarget &target, const QLocale &locale)
{
    if (!target.perUnit)
        return {};
    const double elapsed = double(ticks) * 1000;
    const double remaining = target.durationMs - elapsed;
    CountdownStep step;
    step.label = target.signBlank ? signBlankNumberText(remaining / 1000)
                                  : plainNumberText(remaining / 1000, locale);
    step.finished = target.endMs > 0 && elapsed >= target.endMs;
    return step;
}

std::optional<qint64> countdownSecondsLeft(qint64 ticks, const CountdownTarget &target)
{
    if (!target.perUnit || target.endMs <= 0)
        return std::nullopt;
    // The countdown ends on the first tick at or past the end.
    return std::max<qint64>(0, qint64(std::ceil(target.endMs / 1000)) - ticks);
}

CountdownStep countdownStep(qint64 ticks, QStringView duration, QStringView unit,
                            const QLocale &locale)
{
    return countdownStep(ticks, countdownTarget(duration, unit, locale), locale);
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
    // The texts seldom change during a countdown: they are read again only when they do.
    if (!m_targetRead || duration != m_durationText || unit != m_unitText || locale != m_locale) {
        m_targetRead = true;
        m_durationText = duration.toString();
        m_unitText = unit.toString();
        m_locale = locale;
        m_target = countdownTarget(duration, unit, locale);
    }
    return countdownStep(m_ticks, m_target, locale);
}

} // namespace tavex
