#include "platform/qtserialport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace tavex::test {

namespace {

// A pseudo-terminal standing in for a serial device: the test holds the master side, the
// port opens the slave side.
struct Pty
{
    Pty() : master(::posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (master >= 0 && (::grantpt(master) != 0 || ::unlockpt(master) != 0))
            master = (::close(master), -1);
    }
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
    }
    QString slavePath() const { return master < 0 ? QString() : QString::fromLocal8Bit(::ptsname(master)); }
    // What has reached the master, once something has within two seconds.
    QByteArray read()
    {
        char buffer[256];
        pollfd fd{master, POLLIN, 0};
        const ssize_t got = ::poll(&fd, 1, 2000) > 0 ? ::read(master, buffer, sizeof buffer) : 0;
        return QByteArray(buffer, std::max<ssize_t>(got, 0));
    }
    int master;
};

PortMap mapOf(const QString &table)
{
    return withOverrides(PortMap{}, table);
}

// Why port 3, standing for `device`, did not open; None when it did.
int failureOf(const QString &device)
{
    QtSerialPort port(mapOf(QStringLiteral("COM3=") + device));
    port.setPortNumber(3);
    return int(port.open() ? OpenFailure::None : port.openFailure());
}

// The exit status of `body` run in a child process; -1 when it did not exit.
int inChild(const std::function<int()> &body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

class TestQtSerialPort : public QObject
{
    Q_OBJECT

    // A link in a temporary directory to the pty's slave side.
    QString linkTo(const Pty &pty)
    {
        const QString link = m_dir.filePath(QString::number(++m_links));
        return pty.master >= 0 && QFile::link(pty.slavePath(), link) ? link : QString();
    }

    QTemporaryDir m_dir;
    int m_links = 0;

private slots:
    void writesRawToTheOpenPortOnly()
    {
        // Ports 1 and 3 are two names of one device, whose line starts with settings no serial
        // device should keep, so each one is seen to be changed.
        Pty first;
        Pty second;
        termios tio{};
        QCOMPARE(::tcgetattr(first.master, &tio), 0);
        tio.c_cflag = (tio.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
        tio.c_iflag |= IXON | IXOFF;
        tio.c_oflag |= OPOST | ONLCR;
        cfsetspeed(&tio, B2400);
        QCOMPARE(::tcsetattr(first.master, TCSANOW, &tio), 0);
        const PortMap map = mapOf(QStringLiteral("COM1=%1\nCOM2=%2\nCOM3=%3\nVELOCIDADE=19200\n")
                                          .arg(linkTo(first), linkTo(second), linkTo(first)));
        QtSerialPort port(map);
        QVERIFY(!port.write("A"));
        port.setPortNumber(1);
        QVERIFY(port.open());
        QCOMPARE(::tcgetattr(first.master, &tio), 0);
        QCOMPARE(cfgetospeed(&tio), speed_t(B19200));
        QCOMPARE(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
        QCOMPARE(tio.c_iflag & (IXON | IXOFF), tcflag_t(0));
        QCOMPARE(tio.c_oflag & OPOST, tcflag_t(0));
        QVERIFY(port.write("A"));
        QCOMPARE(first.read(), QByteArray("A"));
        // A device held open cannot be opened again, under any of its names.
        QtSerialPort other(map);
        for (int number : {1, 3}) {
            other.setPortNumber(number);
            QVERIFY(!other.open());
        }
        // Choosing another number closes the open port.
        port.setPortNumber(2);
        QVERIFY(!port.isOpen() && !port.write("B"));
        QVERIFY(port.open() && port.write("B"));
        QCOMPARE(second.read(), QByteArray("B"));
        QVERIFY(other.open() && other.write("O"));
        QCOMPARE(first.read(), QByteArray("O"));
    }

    void theOwnTerminalNeverOpens_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<OpenFailure>("failure");
        // "link to ...": a link to the controlling terminal or to another pty.
        QTest::newRow("the controlling terminal's alias") << "/dev/tty" << OpenFailure::NotSerialDevice;
        QTest::newRow("a link to the controlling terminal") << "link to terminal" << OpenFailure::NotSerialDevice;
        QTest::newRow("the pseudo-terminal multiplexer") << "/dev/ptmx" << OpenFailure::NotSerialDevice;
        QTest::newRow("a link to another pseudo-terminal") << "link to board" << OpenFailure::None;
    }

    void theOwnTerminalNeverOpens()
    {
        // The terminal the program was started from, as a shell starts it, is never taken for
        // a board: nothing may be written to it and its line settings must stay.
        QFETCH(QString, device);
        QFETCH(OpenFailure, failure);
        Pty terminal;
        Pty board;
        if (device.startsWith(u"link to "))
            device = linkTo(device.endsWith(u"terminal") ? terminal : board);
        QVERIFY(terminal.master >= 0 && !device.isEmpty());
        QCOMPARE(inChild([&] {
                     // The first terminal a session leader opens becomes its controlling terminal.
                     const int held = ::setsid() < 0 ? -1 : ::open(QFile::encodeName(terminal.slavePath()), O_RDWR);
                     const int controlling = ::open("/dev/tty", O_RDWR | O_NOCTTY);
                     return held < 0 || controlling < 0 ? 100 : failureOf(device);
                 }),
                 int(failure));
    }

    void saysWhyAPortDidNotOpen()
    {
        // Why a port did not open, for the causes a user meets (a device the user may not
        // open is seen with the program itself, run as an ordinary user).
        Pty pty;
        QVERIFY(pty.master >= 0);
        QFile plain(m_dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        QCOMPARE(failureOf(m_dir.filePath(QStringLiteral("missing"))), int(OpenFailure::Absent));
        QCOMPARE(failureOf(plain.fileName()), int(OpenFailure::NotSerialDevice));
        QtSerialPort holder(mapOf(QStringLiteral("COM3=") + pty.slavePath()));
        holder.setPortNumber(3);
        QVERIFY(holder.open());
        QCOMPARE(failureOf(pty.slavePath()), int(OpenFailure::InUse));
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestQtSerialPort)
#include "tst_qtserialport.moc"
