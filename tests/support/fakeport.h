#pragma once

#include "platform/serialport.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace tavex::test {

// A serial port in memory. Port numbers with a device "plugged in" open; what the program
// writes is kept, and logged with the port's log.
class FakePort final : public SerialPort
{
public:
    explicit FakePort(QStringList *log = nullptr) : m_log(log) { }

    void plug(int number) { m_plugged.insert(number); }
    // Pulls the cable: the device is gone, the open port fails its next write.
    void unplug(int number) { m_plugged.remove(number); }
    // A device is there but does not open, for this reason.
    void refuse(int number, OpenFailure why) { m_refused.insert(number, why); }
    // Lets the next `count` writes succeed and every later one fail.
    void failWritesAfter(int count) { m_writesLeft = count; }

    QByteArray written() const { return m_written; }
    void clearWritten() { m_written.clear(); }
    QList<int> triedNumbers() const { return m_tried; }
    void clearTried() { m_tried.clear(); }

    void setPortNumber(int number) override
    {
        close();
        m_tried.append(m_number = number);
    }
    int portNumber() const override { return m_number; }
    bool open() override
    {
        const OpenFailure absent = m_plugged.contains(m_number) ? OpenFailure::None : OpenFailure::Absent;
        m_failure = m_open ? OpenFailure::None : m_refused.value(m_number, absent);
        return m_open = m_failure == OpenFailure::None;
    }
    QString deviceName() const override { return QStringLiteral("/dev/fake%1").arg(m_number); }
    OpenFailure openFailure() const override { return m_failure; }
    bool isOpen() const override { return m_open; }
    bool isPresent(int number) const override { return m_plugged.contains(number); }
    void close() override { m_open = false; }
    bool write(const QByteArray &bytes) override
    {
        if (!m_open || !m_plugged.contains(m_number) || m_writesLeft == 0) {
            close();
            return false;
        }
        m_writesLeft -= m_writesLeft > 0;
        m_written += bytes;
        if (m_log)
            m_log->append(QStringLiteral("write %1").arg(QString::fromLatin1(bytes)));
        return true;
    }

private:
    QStringList *m_log;
    QSet<int> m_plugged;
    QHash<int, OpenFailure> m_refused;
    OpenFailure m_failure = OpenFailure::None;
    QList<int> m_tried;
    QByteArray m_written;
    int m_number = 0;
    bool m_open = false;
    int m_writesLeft = -1;
};

} // namespace tavex::test
