#include "polling.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <chrono>

namespace tavex::test {

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs, int stepMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, stepMs);
        QThread::msleep(ulong(stepMs));
    }
    return true;
}

void pause(int ms)
{
    waitUntil([] { return false; }, ms);
}

qint64 epochMicroseconds()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace tavex::test
