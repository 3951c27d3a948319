#pragma once

#include "platform/clock.h"

#include <QStringList>

namespace tavex::test {

// A clock whose time the test sets; pauses return at once and are logged.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QStringList *log = nullptr) : m_log(log) { }
    void setTimeOfDay(QTime time) { m_time = time; }
    QTime timeOfDay() const override { return m_time; }
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 7), m_time); }
    void pause(std::chrono::milliseconds duration) override
    {
        if (m_log)
            m_log->append(QStringLiteral("pause %1").arg(duration.count()));
    }

private:
    QStringList *m_log;
    QTime m_time{0, 0, 0};
};

} // namespace tavex::test
