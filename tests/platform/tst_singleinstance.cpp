#include "platform/singleinstance.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tavex;
using namespace Qt::StringLiterals;

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void oneCopyWhateverTheRuntimeFolder_data()
    {
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<bool>("lockedThere"); // the runtime folder holds the lock
        QTest::addColumn<bool>("guarded");
        // On Windows, a named pipe.
        QTest::newRow("a socket left by a killed copy") << u"socket"_s << true << true;
#ifdef Q_OS_UNIX
        QTest::newRow("a folder at the socket's path") << u"folder"_s << true << true;
        QTest::newRow("a person's file at the socket's path") << u"file"_s << true << true;
        QTest::newRow("a path too long for a socket") << QString(110, u'r') << true << true;
        QTest::newRow("open to others") << u"open"_s << false << true;
        if (::getuid() == 0)
            QTest::newRow("another user's") << u"other"_s << false << true;
        QTest::newRow("none") << QString() << false << true;
        // Said on the standard error, by each copy.
        QTest::newRow("open to others, and no folder of the user's own") << u"nowhere"_s << false << false;
#endif
    }

    void oneCopyWhateverTheRuntimeFolder()
    {
        QFETCH(QString, runtime);
        QFETCH(bool, lockedThere);
        QFETCH(bool, guarded);
        QTemporaryDir dir;
        const QString folder = dir.filePath(runtime.isEmpty() ? u"unused"_s : runtime);
        const QString name = runtime.isEmpty() ? QString() : folder + u"/tavex.socket"_s;
#ifdef Q_OS_UNIX
        // The user's own folder is in the cache folder, which is a file in the last case.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(u"cache"_s)));
        QVERIFY(runtime != u"nowhere" || test::writeFile(dir.filePath(u"cache"_s), ""));
        const bool open = runtime == u"open" || runtime == u"nowhere";
        QVERIFY(QDir().mkpath(folder) && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                                       | (open ? QFile::ReadOther | QFile::ExeOther : QFile::Permissions())));
        QVERIFY(runtime != u"other" || ::chown(QFile::encodeName(folder).constData(), 65534, 65534) == 0);
        QVERIFY((runtime != u"folder" || QDir().mkpath(name)) && (runtime != u"file" || test::writeFile(name, "mine")));
        if (runtime == u"socket" && ::fork() == 0) {
            SingleInstance killed(name);
            ::_exit(killed.claim() ? 0 : 1);
        }
        ::wait(nullptr);
#endif
        for (int copy = 0; copy < 2 * !guarded; ++copy)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"trava de cópia única"_s));

        // The next copy is turned away and the first is asked to come to the front.
        SingleInstance first(name);
        QByteArrayList asked;
        first.setRequestHandler([&asked](QByteArrayView line) { return asked.append(line.toByteArray()), QByteArray(); });
        QVERIFY(first.claim());
        QCOMPARE(!SingleInstance(name).claim(), guarded);
        QCOMPARE(QTest::qWaitFor([&asked] { return !asked.isEmpty(); }, guarded ? 5000 : 100), guarded);
        QCOMPARE(asked, guarded ? QByteArrayList{"mostrar\n"} : QByteArrayList{});
#ifdef Q_OS_UNIX
        QCOMPARE(QFileInfo::exists(folder + u"/tavex.lock"_s), lockedThere);
#endif
        // What a person put at the socket's path is still there.
        QCOMPARE(QFileInfo(name).isDir(), runtime == u"folder");
        if (runtime == u"file")
            QCOMPARE(test::readFile(name), "mine");
    }

#ifdef Q_OS_UNIX
    void twoCopiesStartedTogether()
    {
        // Started at the same instant, many times over: always one runs. Each ends as a
        // killed copy does, leaving its socket behind.
        QTemporaryDir dir;
        const QString name = dir.filePath(u"tavex.socket"_s);
        for (int round = 0; round < 500; ++round) {
            int start[2], results[2], hold[2];
            QVERIFY(::pipe(start) == 0 && ::pipe(results) == 0 && ::pipe(hold) == 0);
            for (int copy = 0; copy < 2; ++copy) {
                if (::fork() != 0)
                    continue;
                SingleInstance instance(name);
                char byte = 0;
                ::close(hold[1]);
                // Held, once it has told, until the test lets go.
                if (::read(start[0], &byte, 1) == 1 && ((byte = instance.claim() ? '1' : '0'), ::write(results[1], &byte, 1) == 1))
                    while (::read(hold[0], &byte, 1) > 0) { }
                ::_exit(0);
            }
            char claimed[3] = {};
            QVERIFY(::write(start[1], "go", 2) == 2 && ::read(results[0], claimed, 1) == 1 && ::read(results[0], claimed + 1, 1) == 1);
            for (int fd : {start[0], start[1], results[0], results[1], hold[0], hold[1]})
                ::close(fd);
            while (::wait(nullptr) > 0) { }
            QVERIFY2(qstrcmp(claimed, "10") == 0 || qstrcmp(claimed, "01") == 0, qPrintable(u"round %1: %2"_s.arg(round).arg(claimed)));
        }
    }
#endif
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
