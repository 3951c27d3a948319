#include "platform/qtserialport.h"
#include "pty.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavex::test {

namespace {

enum class Opened { Yes, No, SetupFailed };

// Opens `device` as port 3 in a child process that has `terminal` as its controlling
// terminal, as the program has when it is started from a shell.
Opened openInSessionOf(const QString &terminal, const QString &device)
{
    const pid_t child = ::fork();
    if (child == 0) {
        // The first terminal a session leader opens becomes its controlling terminal.
        const QByteArray path = QFile::encodeName(terminal);
        const int held = ::setsid() < 0 ? -1 : ::open(path.constData(), O_RDWR);
        const int controlling = ::open("/dev/tty", O_RDWR | O_NOCTTY);
        if (held < 0 || controlling < 0)
            ::_exit(2);
        ::close(controlling);
        QtSerialPort port(withOverrides(PortMap{}, QStringLiteral("COM3=") + device));
        port.setPortNumber(3);
        ::_exit(port.open() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return Opened::SetupFailed;
    switch (WEXITSTATUS(status)) {
    case 0: return Opened::Yes;
    case 1: return Opened::No;
    default: return Opened::SetupFailed;
    }
}

// Counts the socket-notifier activations delivered anywhere in the program: a backend that
// keeps reacting to a dead device shows up here as thousands of them.
class NotifierCounter : public QObject
{
public:
    NotifierCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~NotifierCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::SockAct)
            ++count;
        return false;
    }
};

} // namespace

class TestQtSerialPort : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writesOnlyToTheOpenMappedPort();
    void lineSettings_data();
    void lineSettings();
    void pulledCableFailsTheNextWriteAndCloses();
    void lostDeviceWithoutWriteDoesNotSpin();
    void choosingAnotherNumberClosesTheOpenPort();
    void aHeldDeviceCannotBeOpenedTwice();
    void onlySerialDevicesOpen_data();
    void onlySerialDevicesOpen();

private:
    // A link named `name` in the temporary directory pointing at the pty's slave side.
    QString linkTo(const Pty &pty, const QString &name);
    PortMap mapOf(const QString &table) { return withOverrides(PortMap{}, table); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestQtSerialPort::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestQtSerialPort::linkTo(const Pty &pty, const QString &name)
{
    const QString link = m_dir->filePath(name);
    if (!QFile::link(pty.slavePath(), link))
        return {};
    return link;
}

void TestQtSerialPort::writesOnlyToTheOpenMappedPort()
{
    Pty pty;
    QVERIFY(pty.isValid());
    const QString link = linkTo(pty, QStringLiteral("board"));
    QVERIFY(!link.isEmpty());
    QtSerialPort port(mapOf(QStringLiteral("COM5=%1\n").arg(link)));

    QVERIFY(!port.isOpen());
    QVERIFY(!port.write("A"));

    port.setPortNumber(7);
    QCOMPARE(port.portNumber(), 7);
    QVERIFY(!port.open());
    QVERIFY(!port.isOpen());
    QVERIFY(!port.write("A"));

    port.setPortNumber(5);
    QCOMPARE(port.portNumber(), 5);
    QVERIFY(port.open());
    QVERIFY(port.isOpen());
    QVERIFY(port.open()); // already open

    QVERIFY(port.write("A"));
    QCOMPARE(pty.read(), QByteArray("A"));
    // Output goes out untranslated: a line feed does not become CR LF.
    QVERIFY(port.write("\n"));
    QCOMPARE(pty.read(), QByteArray("\n"));
    QVERIFY(port.write(QByteArray("\x00\xff", 2)));
    QCOMPARE(pty.read(), QByteArray("\x00\xff", 2));

    port.close();
    QVERIFY(!port.isOpen());
    QVERIFY(!port.write("A"));
    QCOMPARE(pty.read(300), QByteArray());
}

void TestQtSerialPort::lineSettings_data()
{
    QTest::addColumn<QString>("speedLine");
    QTest::addColumn<speed_t>("speed");
    QTest::newRow("default") << QString() << speed_t(B9600);
    QTest::newRow("port table") << QStringLiteral("VELOCIDADE=19200\n") << speed_t(B19200);
}

void TestQtSerialPort::lineSettings()
{
    QFETCH(QString, speedLine);
    QFETCH(speed_t, speed);
    Pty pty;
    QVERIFY(pty.isValid());
    // Start from settings no serial device should keep, so each one is seen to be changed.
    termios before{};
    QVERIFY(pty.lineSettings(&before));
    before.c_cflag = (before.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
    before.c_iflag |= IXON | IXOFF;
    before.c_oflag |= OPOST | ONLCR;
    cfsetspeed(&before, B2400);
    QVERIFY(pty.setLineSettings(before));
    const QString link = linkTo(pty, QStringLiteral("board"));
    QVERIFY(!link.isEmpty());

    QtSerialPort port(mapOf(QStringLiteral("COM1=%1\n%2").arg(link, speedLine)));
    port.setPortNumber(1);
    QVERIFY(port.open());

    termios tio{};
    QVERIFY(pty.lineSettings(&tio));
    QCOMPARE(cfgetospeed(&tio), speed);
    QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(tio.c_cflag & PARENB, tcflag_t(0));
    QCOMPARE(tio.c_cflag & CSTOPB, tcflag_t(0));
    QCOMPARE(tio.c_cflag & CRTSCTS, tcflag_t(0));
    QCOMPARE(tio.c_iflag & (IXON | IXOFF), tcflag_t(0));
    QCOMPARE(tio.c_oflag & OPOST, tcflag_t(0));
}

void TestQtSerialPort::pulledCableFailsTheNextWriteAndCloses()
{
    Pty pty;
    QVERIFY(pty.isValid());
    const QString link = linkTo(pty, QStringLiteral("board"));
    QVERIFY(!link.isEmpty());
    QtSerialPort port(mapOf(QStringLiteral("COM2=%1\n").arg(link)));
    port.setPortNumber(2);
    QVERIFY(port.open());
    QVERIFY(port.write("1"));
    QCOMPARE(pty.read(), QByteArray("1"));

    pty.closeMaster();
    QVERIFY(!port.write("2"));
    QVERIFY(!port.isOpen());
    QVERIFY(!port.write("3"));

    // The device node is gone with the device.
    QVERIFY(QFile::remove(link));
    QVERIFY(!port.open());
    QVERIFY(!port.isOpen());
}

void TestQtSerialPort::lostDeviceWithoutWriteDoesNotSpin()
{
    Pty pty;
    QVERIFY(pty.isValid());
    const QString link = linkTo(pty, QStringLiteral("board"));
    QVERIFY(!link.isEmpty());
    QtSerialPort port(mapOf(QStringLiteral("COM3=%1\n").arg(link)));
    port.setPortNumber(3);
    QVERIFY(port.open());

    NotifierCounter notifiers;
    pty.closeMaster();
    QTest::qWait(300);
    // Whether or not the loss was noticed while idle, the next write tells it.
    QVERIFY(!port.write("X"));
    QVERIFY(!port.isOpen());
    QTest::qWait(300);
    QVERIFY2(notifiers.count < 100,
             qPrintable(QStringLiteral("%1 notifier activations").arg(notifiers.count)));
}

void TestQtSerialPort::choosingAnotherNumberClosesTheOpenPort()
{
    Pty first;
    Pty second;
    QVERIFY(first.isValid() && second.isValid());
    const QString firstLink = linkTo(first, QStringLiteral("first"));
    const QString secondLink = linkTo(second, QStringLiteral("second"));
    QVERIFY(!firstLink.isEmpty() && !secondLink.isEmpty());
    QtSerialPort port(mapOf(QStringLiteral("COM1=%1\nCOM2=%2\n").arg(firstLink, secondLink)));

    port.setPortNumber(1);
    QVERIFY(port.open());
    port.setPortNumber(2);
    QVERIFY(!port.isOpen());
    QCOMPARE(port.portNumber(), 2);
    QVERIFY(!port.write("A"));

    QVERIFY(port.open());
    QVERIFY(port.write("B"));
    QCOMPARE(second.read(), QByteArray("B"));
    QCOMPARE(first.read(300), QByteArray());
}

void TestQtSerialPort::aHeldDeviceCannotBeOpenedTwice()
{
    Pty pty;
    QVERIFY(pty.isValid());
    const QString link = linkTo(pty, QStringLiteral("board"));
    const QString otherName = linkTo(pty, QStringLiteral("same board"));
    QVERIFY(!link.isEmpty() && !otherName.isEmpty());
    const PortMap map = mapOf(QStringLiteral("COM4=%1\nCOM5=%2\n").arg(link, otherName));

    QtSerialPort holder(map);
    holder.setPortNumber(4);
    QVERIFY(holder.open());

    QtSerialPort other(map);
    other.setPortNumber(4);
    QVERIFY(!other.open());
    QVERIFY(!other.isOpen());
    // Another name for the same device does not get around it either.
    other.setPortNumber(5);
    QVERIFY(!other.open());
    QVERIFY(!other.isOpen());
    QVERIFY(holder.write("H"));
    QCOMPARE(pty.read(), QByteArray("H"));

    holder.close();
    other.setPortNumber(4);
    QVERIFY(other.open());
    QVERIFY(other.write("O"));
    QCOMPARE(pty.read(), QByteArray("O"));
}

void TestQtSerialPort::onlySerialDevicesOpen_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("opens");
    // "terminal": the controlling terminal's own path; "link to ...": a link in the
    // temporary directory.
    QTest::newRow("the controlling terminal's alias") << "/dev/tty" << false;
    QTest::newRow("the alias by its short name") << "tty" << false;
    QTest::newRow("the controlling terminal") << "terminal" << false;
    QTest::newRow("a link to the controlling terminal") << "link to terminal" << false;
    QTest::newRow("the pseudo-terminal multiplexer") << "/dev/ptmx" << false;
    QTest::newRow("a link to another pseudo-terminal") << "link to board" << true;
}

void TestQtSerialPort::onlySerialDevicesOpen()
{
    // The terminal the program was started from is never taken for a board: nothing may be
    // written to it and its line settings must stay.
    QFETCH(QString, device);
    QFETCH(bool, opens);
    Pty terminal;
    Pty board;
    QVERIFY(terminal.isValid() && board.isValid());
    if (device == u"terminal")
        device = terminal.slavePath();
    else if (device == u"link to terminal")
        device = linkTo(terminal, QStringLiteral("terminal"));
    else if (device == u"link to board")
        device = linkTo(board, QStringLiteral("board"));
    QVERIFY(!device.isEmpty());
    QCOMPARE(openInSessionOf(terminal.slavePath(), device), opens ? Opened::Yes : Opened::No);
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestQtSerialPort)
#include "tst_qtserialport.moc"
