#pragma once

#include "link/portmap.h"
#include "platform/serialport.h"

#include <QSerialPort>

#include <chrono>

namespace tavex {

// The serial port on Qt Serial Port: 8 data bits, no parity, 1 stop bit, no flow control, at
// the speed of the port map (9600 baud unless the port table says otherwise).
// Only a character device opens as a port, and never the terminal the program runs in,
// /dev/tty or /dev/ptmx, whatever name or link the port table gives them.
class QtSerialPort final : public SerialPort
{
public:
    // How long one command may take to leave the program. A byte takes about 1 ms at 9600
    // baud; a write that has not gone after this long has met a device that is gone or hung.
    static constexpr std::chrono::milliseconds kWriteTimeout{500};

    explicit QtSerialPort(PortMap map);

    void setPortNumber(int number) override;
    int portNumber() const override { return m_number; }
    bool open() override;
    QString deviceName() const override { return m_port.portName(); }
    OpenFailure openFailure() const override { return m_failure; }
    bool isOpen() const override;
    bool isPresent(int number) const override;
    void close() override;
    bool write(const QByteArray &bytes) override;

private:
    void onError(QSerialPort::SerialPortError error);
    bool tryOpen();

    PortMap m_map;
    QSerialPort m_port;
    int m_number = 0;
    OpenFailure m_failure = OpenFailure::None;
    bool m_writing = false;
};

} // namespace tavex
