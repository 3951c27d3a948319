#include "platform/qtserialport.h"

#ifdef Q_OS_WIN
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#endif
#ifdef Q_OS_UNIX
#include <QFile>
#include <QList>

#include <cerrno>

#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace tavex {

namespace {

#ifdef Q_OS_UNIX
// Where Qt Serial Port looks for a port name: a path as it stands, a bare name in /dev.
QString deviceLocation(const QString &name)
{
    if (name.startsWith(u'/') || name.startsWith(u"./") || name.startsWith(u"../"))
        return name;
    return QStringLiteral("/dev/") + name;
}

// The terminals the program runs in: its controlling terminal and whatever terminal its
// standard streams are.
QList<dev_t> ownTerminals()
{
    QList<dev_t> terminals;
#ifdef Q_OS_LINUX
    // The seventh field of /proc/self/stat, the fifth after the command name in parentheses.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.read(4096);
        const QList<QByteArray> fields =
                line.sliced(line.lastIndexOf(')') + 1).simplified().split(' ');
        bool ok = false;
        const unsigned tty = fields.value(4).toUInt(&ok);
        if (ok && tty != 0)
            terminals.append(makedev((tty >> 8) & 0xfff, (tty & 0xff) | ((tty >> 12) & 0xfff00)));
    }
#endif
    for (int fd = 0; fd <= 2; ++fd) {
        struct stat info {};
        if (::isatty(fd) && ::fstat(fd, &info) == 0)
            terminals.append(info.st_rdev);
    }
    return terminals;
}

// Whether the device may be opened as a port, and why not. Only a character device may, and
// none that the program runs in: not its own terminal, not /dev/tty that stands for it, not
// /dev/ptmx that makes a new terminal at every open.
OpenFailure portDeviceProblem(const QString &location)
{
    struct stat info {};
    if (::stat(QFile::encodeName(location).constData(), &info) != 0)
        return errno == EACCES ? OpenFailure::PermissionDenied : OpenFailure::Absent;
    if (!S_ISCHR(info.st_mode))
        return OpenFailure::NotSerialDevice;
    for (const char *alias : {"/dev/tty", "/dev/ptmx"}) {
        struct stat aliasInfo {};
        if (::stat(alias, &aliasInfo) == 0 && aliasInfo.st_rdev == info.st_rdev)
            return OpenFailure::NotSerialDevice;
    }
    return ownTerminals().contains(info.st_rdev) ? OpenFailure::NotSerialDevice : OpenFailure::None;
}
#elif defined(Q_OS_WIN)
// A port table may name a path: a file or a folder there is no serial device. (Windows would
// refuse a folder as "access denied", which for a port means "in use".)
OpenFailure portDeviceProblem(const QString &name)
{
    const bool isPath = name.contains(u'\\') || name.contains(u'/');
    const bool isDeviceNamespace = name.startsWith(u"\\\\.\\") || name.startsWith(u"//./");
    return isPath && !isDeviceNamespace && QFileInfo::exists(name) ? OpenFailure::NotSerialDevice
                                                                  : OpenFailure::None;
}
#endif

// Qt Serial Port says "permission" both for a device the user may not open and for one that
// another program holds locked; the user's own rights on the device tell the two apart.
OpenFailure openFailureOf(QSerialPort::SerialPortError error, const QString &location)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return OpenFailure::Absent;
    case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
        if (::access(QFile::encodeName(deviceLocation(location)).constData(), W_OK) == 0)
            return OpenFailure::InUse;
        return OpenFailure::PermissionDenied;
#else
        // Windows denies access to a COM port that another program has open: any user may
        // open a free one.
        Q_UNUSED(location);
        return OpenFailure::InUse;
#endif
    case QSerialPort::OpenError: // already open
        return OpenFailure::InUse;
    default:
        return OpenFailure::Other;
    }
}

} // namespace

QtSerialPort::QtSerialPort(PortMap map) : m_map(std::move(map))
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
#ifdef Q_OS_WIN
    // The board never answers; whatever arrives all the same is thrown away.
    QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] { m_port.readAll(); });
#endif
}

void QtSerialPort::setPortNumber(int number)
{
    close();
    m_number = number;
    m_port.setPortName(m_map.deviceFor(number));
}

bool QtSerialPort::open()
{
    m_failure = OpenFailure::None;
    if (m_port.isOpen())
        return true;
    if (tryOpen())
        return true;
    if (m_failure == OpenFailure::None)
        m_failure = OpenFailure::Other;
    return false;
}

bool QtSerialPort::tryOpen()
{
    if (m_port.portName().isEmpty()) {
        m_failure = OpenFailure::Absent;
        return false;
    }
#ifdef Q_OS_UNIX
    // Opening already changes a terminal's line settings, so the device is judged first.
    m_failure = portDeviceProblem(deviceLocation(m_port.portName()));
#elif defined(Q_OS_WIN)
    m_failure = portDeviceProblem(m_port.portName());
#endif
    if (m_failure != OpenFailure::None)
        return false;
    m_port.setBaudRate(m_map.baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // The board never answers: the port is opened for writing only. On Windows it is opened
    // for reading too, as serial programs there do: a driver may refuse to read or set the
    // line settings through a handle opened for writing only (Wine's does).
#ifdef Q_OS_WIN
    constexpr QIODevice::OpenMode mode = QIODevice::ReadWrite;
#else
    constexpr QIODevice::OpenMode mode = QIODevice::WriteOnly;
#endif
    if (!m_port.open(mode)) {
        m_failure = openFailureOf(m_port.error(), m_port.portName());
        return false;
    }
#ifdef Q_OS_UNIX
    // Qt's lock file goes by the device's name, and the terminal's exclusive mode does not
    // bind root: a lock on the open device keeps any other instance off it under any name.
    if (::flock(int(m_port.handle()), LOCK_EX | LOCK_NB) != 0) {
        m_port.close();
        m_failure = OpenFailure::InUse;
        return false;
    }
#endif
    return true;
}

bool QtSerialPort::isOpen() const
{
    return m_port.isOpen();
}

bool QtSerialPort::isPresent(int number) const
{
    const QString name = m_map.deviceFor(number);
    if (name.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    // The same look at the device that comes before every open; it opens nothing.
    return portDeviceProblem(deviceLocation(name)) == OpenFailure::None;
#elif defined(Q_OS_WIN)
    // A COM port is there while Windows lists it; a path of the port table while it exists.
    if (portDeviceProblem(name) != OpenFailure::None)
        return false;
    if (name.contains(u'\\') || name.contains(u'/'))
        return QFileInfo::exists(name);
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    return std::any_of(ports.begin(), ports.end(), [&](const QSerialPortInfo &port) {
        return port.portName().compare(name, Qt::CaseInsensitive) == 0;
    });
#endif
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
