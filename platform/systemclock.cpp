#include "platform/systemclock.h"

#include <QElapsedTimer>
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

namespace tavex {

void SystemClock::pause(std::chrono::milliseconds duration, const std::function<void()> &meanwhile)
{
    QElapsedTimer elapsed;
    elapsed.start();
    meanwhile();
    const qint64 left = duration.count() - elapsed.elapsed();
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(left));
}

} // namespace tavex
