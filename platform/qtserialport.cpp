#include "platform/qtserialport.h"

#ifdef Q_OS_UNIX
#include <sys/file.h>
#endif

namespace tavex {

QtSerialPort::QtSerialPort(PortMap map) : m_map(std::move(map))
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

void QtSerialPort::setPortNumber(int number)
{
    close();
    m_number = number;
    m_port.setPortName(m_map.deviceFor(number));
}

bool QtSerialPort::open()
{
    if (m_port.isOpen())
        return true;
    if (m_port.portName().isEmpty())
        return false;
    m_port.setBaudRate(m_map.baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // The board never answers: the port is opened for writing only.
    if (!m_port.open(QIODevice::WriteOnly))
        return false;
#ifdef Q_OS_UNIX
    // Qt's lock file goes by the device's name, and the terminal's exclusive mode does not
    // bind root: a lock on the open device keeps any other instance off it under any name.
    if (::flock(int(m_port.handle()), LOCK_EX | LOCK_NB) != 0) {
        m_port.close();
        return false;
    }
#endif
    return true;
}

bool QtSerialPort::isOpen() const
{
    return m_port.isOpen();
}

void QtSerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialPort::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return false;
    m_writing = true;
    // QSerialPort::write() only buffers; waiting for the bytes to leave is what tells a
    // device that has gone.
    const bool written = m_port.write(bytes) == bytes.size()
            && m_port.waitForBytesWritten(int(kWriteTimeout.count()));
    m_writing = false;
    if (!written)
        close();
    return written;
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    // Opening reports NoError. Any real error means the device is unusable; a lost device
    // keeps reporting its error in a tight loop until the port is closed. Inside write() the
    // failure is handled there.
    if (error == QSerialPort::NoError || m_writing)
        return;
    close();
}

} // namespace tavex
