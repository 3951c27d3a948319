#include "platform/systemclock.h"

#include <thread>

namespace tavex {

QTime SystemClock::timeOfDay() const
{
    return QTime::currentTime();
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

void SystemClock::pause(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

void SystemClock::pause(std::chrono::milliseconds duration, const std::function<void()> &meanwhile)
{
    // The end is fixed before the work starts, so the pause lasts its length, not the
    // fraction of a millisecond more that a count of whole milliseconds would add.
    const auto end = std::chrono::steady_clock::now() + duration;
    meanwhile();
    std::this_thread::sleep_until(end);
}

} // namespace tavex
