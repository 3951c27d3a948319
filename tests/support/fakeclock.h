#pragma once

#include "platform/clock.h"

#include <QStringList>

namespace tavex::test {

// A clock whose time the test sets; pauses return at once and are logged. Setting a time of
// day earlier than the clock's moves it on to that time of the next day.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QStringList *log = nullptr) : m_log(log) { }
    void setTimeOfDay(QTime time)
    {
        m_now = QDateTime(m_now.date().addDays(time < m_now.time() ? 1 : 0), time);
    }
    void setNow(const QDateTime &now) { m_now = now; }
    QTime timeOfDay() const override { return m_now.time(); }
    QDateTime now() const override { return m_now; }
    void pause(std::chrono::milliseconds duration) override
    {
        if (m_log)
            m_log->append(QStringLiteral("pause %1").arg(duration.count()));
    }

private:
    QStringList *m_log;
    QDateTime m_now{QDate(2026, 12, 7), QTime(0, 0)};
};

} // namespace tavex::test
