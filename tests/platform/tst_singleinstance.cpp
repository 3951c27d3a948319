#include "platform/singleinstance.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace tavex;

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void oneCopyAtATime()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("tavex.socket"));
#ifdef Q_OS_UNIX
        // A copy that was killed left its socket file, bound but with nobody listening.
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        ::close(fd);
#endif

        // The next copy takes it over; the one after is turned away and the first is asked
        // to come to the front.
        SingleInstance first(name);
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);
        QVERIFY(first.claim());
        QVERIFY(!SingleInstance(name).claim());
        QVERIFY(raised.wait(5000));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
