#include "support/fakeport.h"

namespace tavex::test {

void FakePort::note(const QString &event)
{
    if (m_log)
        m_log->append(event);
}

void FakePort::setPortNumber(int number)
{
    close();
    m_number = number;
    m_tried.append(number);
    note(QStringLiteral("choose %1").arg(number));
}

bool FakePort::open()
{
    m_failure = OpenFailure::None;
    if (m_open)
        return true;
    if (m_refused.contains(m_number)) {
        m_failure = m_refused.value(m_number);
        return false;
    }
    if (!m_plugged.contains(m_number))
        m_failure = OpenFailure::Absent;
    if (!m_open && m_plugged.contains(m_number)) {
        m_open = true;
        note(QStringLiteral("open %1").arg(m_number));
    }
    return m_open;
}

void FakePort::close()
{
    if (!m_open)
        return;
    m_open = false;
    ++m_closes;
    note(QStringLiteral("close %1").arg(m_number));
}

bool FakePort::write(const QByteArray &bytes)
{
    const bool deviceThere = m_open && m_plugged.contains(m_number);
    const bool allowed = m_writesLeft != 0;
    if (!deviceThere || !allowed) {
        note(QStringLiteral("write failed %1").arg(QString::fromLatin1(bytes)));
        close();
        return false;
    }
    if (m_writesLeft > 0)
        --m_writesLeft;
    m_written += bytes;
    note(QStringLiteral("write %1").arg(QString::fromLatin1(bytes)));
    return true;
}

} // namespace tavex::test
