#include "platform/datafile.h"
#include "platform/switchlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tavex;

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void readsOnlySmallRegularFilesAndRemovesOnlyLeftovers()
    {
        QTemporaryDir dir;
        const QString plain = dir.filePath(QStringLiteral("plain"));
        QVERIFY(replaceFile(plain, "old") && replaceFile(plain, "0123456789"));
        QCOMPARE(readSmallFile(plain, 10), QByteArray("0123456789"));
        QCOMPARE(readSmallFile(plain, 9), std::nullopt);
#ifdef Q_OS_UNIX
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        const QString zero = dir.filePath(QStringLiteral("zero"));
        const QString linked = dir.filePath(QStringLiteral("linked"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        QVERIFY(QFile::link(plain, linked));
        QCOMPARE(readSmallFile(linked, 10), QByteArray("0123456789"));
        // Neither may block or read without end.
        QCOMPARE(readSmallFile(fifo, 10), std::nullopt);
        QCOMPARE(readSmallFile(zero, 10), std::nullopt);
#endif
        QCOMPARE(readSmallFile(dir.path(), 10), std::nullopt);
        QCOMPARE(readSmallFile(dir.filePath(QStringLiteral("missing")), 10), std::nullopt);

        // Removing the leftovers of saves killed half-way, in a folder of their own. Copies a
        // person made, files of another name, names of another form, and a link are kept.
        const QDir files(dir.filePath(QStringLiteral("data")));
        QVERIFY(files.mkpath(QStringLiteral(".")));
        QStringList kept{"BOTOES.INI.NomesV", "BOTOES.INI.backup", ".outro.ini.tavex-save-aBcDeF", "tavex.ini",
                         "tavex.ini.BkpDez", "tavex.ini.meuBkp", ".tavex.ini.tavex-save-aBcDeFg", ".tavex.ini.tavex-save-aB-DeF"};
        for (const QString &name : kept)
            QVERIFY(replaceFile(files.filePath(name), "x"));
#ifdef Q_OS_UNIX
        kept.append(QStringLiteral(".tavex.ini.tavex-save-qWeRtY"));
        QVERIFY(QFile::link(files.filePath(QStringLiteral("tavex.ini")), files.filePath(kept.last())));
        // A save of each file killed in the middle, by a size limit's signal.
        for (const QString &name : {QStringLiteral("tavex.ini"), QStringLiteral("BOTOES.INI")}) {
            if (::fork() == 0) {
                const rlimit limit{1, 1}, noCore{0, 0};
                ::signal(SIGXFSZ, SIG_DFL);
                ::_exit(::setrlimit(RLIMIT_CORE, &noCore) + ::setrlimit(RLIMIT_FSIZE, &limit) + replaceFile(files.filePath(name), "ab"));
            }
            int status = 0;
            QVERIFY(::wait(&status) > 0 && WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
        }
        QCOMPARE(files.entryList(QDir::Files | QDir::Hidden | QDir::System).size(), kept.size() + 2);
#endif
        removeReplaceLeftovers(files.path(), {QStringLiteral("tavex.ini"), QStringLiteral("BOTOES.INI")});
        kept.sort();
        QCOMPARE(files.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), kept);
        QCOMPARE(readSmallFile(files.filePath(QStringLiteral("tavex.ini")), 10), QByteArray("x"));
    }

    void switchLogAppendsAndTurnsOver()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("state/tavex"));
        const QString path = SwitchLog(folder).path();
        // Each record waits, as the program's end does, for its lines to be written.
        const auto record = [&](const QStringList &lines, const QString &in = {}) {
            SwitchLog log(in.isEmpty() ? folder : in);
            for (const QString &line : lines)
                log.append(line);
        };
        // At 1 MiB the file becomes the old one, replacing the one before, and the line begins
        // a new file.
        QVERIFY(QDir().mkpath(folder) && replaceFile(path + QStringLiteral(".1"), "older") && replaceFile(path, QByteArray(SwitchLog::kMaxBytes - 15, 'x')));
        record({QStringLiteral("ligado  botão"), QStringLiteral("c")});
        QCOMPARE(readSmallFile(path, 100), QByteArray("c\n"));
        QCOMPARE(readSmallFile(path + QStringLiteral(".1"), SwitchLog::kMaxBytes).value_or("").right(16), QByteArray("xligado  bot\xc3\xa3o\n"));

#ifdef Q_OS_UNIX
        // A size limit lets part of a line through, as a full disk does: it is cut off again,
        // and the next line does not continue it. The limit fails the write, and the program
        // lives.
        failWritesBeyondSizeLimit();
        rlimit unlimited{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
        const rlimit limit{8, unlimited.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        record({QStringLiteral("abcdefghij"), QStringLiteral("d")});
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &unlimited), 0);
        QCOMPARE(readSmallFile(path, 100), QByteArray("c\nd\n"));

        // A link or a pipe in the file's place takes nothing, and nothing waits for a reader.
        const QString elsewhere = dir.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QFile::remove(path) && QFile::link(elsewhere, path));
        record({QStringLiteral("lost")});
        QVERIFY(!QFileInfo::exists(elsewhere) && QFile::remove(path));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        record({QStringLiteral("lost")});
        char byte;
        QCOMPARE(::read(reader, &byte, 1) + ::close(reader), 0);

        // Storage that holds each open up (see CMakeLists.txt): the lines wait, in order, and
        // beyond kMaxWaiting they are dropped rather than held.
        QStringList lines;
        for (int n = 0; n < 3 * SwitchLog::kMaxWaiting; ++n)
            lines.append(QString::number(n));
        record(lines, dir.filePath(QStringLiteral("slow")));
        const QByteArray written = readSmallFile(dir.filePath(QStringLiteral("slow/acionamentos.log")), 1 << 16).value_or("");
        QVERIFY2(written.startsWith("0\n1\n") && written.count('\n') >= SwitchLog::kMaxWaiting && written.count('\n') < lines.size(), written);
#endif
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
