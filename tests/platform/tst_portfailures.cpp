// Why the real serial port did not open, for each cause a user meets.

#include "platform/qtserialport.h"
#include "pty.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavex;
using namespace tavex::test;

class TestPortFailures : public QObject
{
    Q_OBJECT

private slots:
    void causes();
    void permissionDeniedToAnOrdinaryUser();
};

namespace {

OpenFailure openFailure(const QString &device)
{
    PortMap map;
    map.devices.insert(3, device);
    QtSerialPort port(map);
    port.setPortNumber(3);
    return port.open() ? OpenFailure::None : port.openFailure();
}

} // namespace

void TestPortFailures::causes()
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    Pty pty;
    QVERIFY(pty.isValid());

    QCOMPARE(openFailure(dir.filePath(QStringLiteral("missing"))), OpenFailure::Absent);
    QCOMPARE(openFailure(plain), OpenFailure::NotSerialDevice);
    QCOMPARE(openFailure(QStringLiteral("/dev/tty")), OpenFailure::NotSerialDevice);
    QCOMPARE(openFailure(pty.slavePath()), OpenFailure::None);

    // Another program has the device.
    PortMap map;
    map.devices.insert(3, pty.slavePath());
    QtSerialPort first(map);
    first.setPortNumber(3);
    QVERIFY(first.open());
    QCOMPARE(openFailure(pty.slavePath()), OpenFailure::InUse);
}

void TestPortFailures::permissionDeniedToAnOrdinaryUser()
{
    Pty pty;
    QVERIFY(pty.isValid());
    QCOMPARE(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0600), 0);
    if (::geteuid() != 0) {
        QCOMPARE(::chmod(QFile::encodeName(pty.slavePath()).constData(), 0), 0);
        QCOMPARE(openFailure(pty.slavePath()), OpenFailure::PermissionDenied);
        return;
    }
    // Root may open anything: the port is opened by a child that has become "nobody".
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && openFailure(pty.slavePath()) == OpenFailure::PermissionDenied ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
}

QTEST_GUILESS_MAIN(TestPortFailures)
#include "tst_portfailures.moc"
