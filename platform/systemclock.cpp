#include "platform/systemclock.h"

#include <QThread>

namespace tavex {

QTime SystemClock::timeOfDay() const
{
    return QTime::currentTime();
}

void SystemClock::pause(std::chrono::milliseconds duration)
{
    QThread::msleep(static_cast<unsigned long>(duration.count()));
}

} // namespace tavex
