#pragma once

#include "platform/serialport.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace tavex::test {

// A serial port in memory. Port numbers with a device "plugged in" open; everything the
// program does to the port is logged, and what it writes is kept.
class FakePort final : public SerialPort
{
public:
    explicit FakePort(QStringList *log = nullptr) : m_log(log) { }

    void plug(int number) { m_plugged.insert(number); }
    // Pulls the cable: the device is gone, the open port fails its next write.
    void unplug(int number) { m_plugged.remove(number); }
    void unplugAll() { m_plugged.clear(); }
    // A device is there but does not open, for this reason.
    void refuse(int number, OpenFailure why) { m_refused.insert(number, why); }
    // Lets the next `count` writes succeed and every later one fail.
    void failWritesAfter(int count) { m_writesLeft = count; }

    QByteArray written() const { return m_written; }
    void clearWritten() { m_written.clear(); }
    QList<int> triedNumbers() const { return m_tried; }
    void clearTried() { m_tried.clear(); }
    int closeCount() const { return m_closes; }

    void setPortNumber(int number) override;
    int portNumber() const override { return m_number; }
    bool open() override;
    QString deviceName() const override { return QStringLiteral("/dev/fake%1").arg(m_number); }
    OpenFailure openFailure() const override { return m_failure; }
    bool isOpen() const override { return m_open; }
    void close() override;
    bool write(const QByteArray &bytes) override;

private:
    void note(const QString &event);

    QStringList *m_log;
    QSet<int> m_plugged;
    QHash<int, OpenFailure> m_refused;
    OpenFailure m_failure = OpenFailure::None;
    QList<int> m_tried;
    QByteArray m_written;
    int m_number = 0;
    bool m_open = false;
    int m_writesLeft = -1;
    int m_closes = 0;
};

} // namespace tavex::test
