#include "platform/datafile.h"
#include "platform/switchlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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

        // Removing the leftovers of saves killed half-way, in a folder of their own.
        const QDir files(dir.filePath(QStringLiteral("data")));
        QVERIFY(files.mkpath(QStringLiteral(".")));
        // Copies a person made, files of another name, and a link are kept.
        QStringList kept{"BOTOES.INI.Antigo", "BOTOES.INI.backup", "outro.ini.aBcDeF", "tavex.ini",
                         "tavex.ini.BACKUP", "tavex.ini.a1B2c3", "tavex.ini.bak"};
        for (const QString &name : kept)
            QVERIFY(replaceFile(files.filePath(name), "x"));
#ifdef Q_OS_UNIX
        kept.append(QStringLiteral("tavex.ini.qWeRtY"));
        QVERIFY(QFile::link(files.filePath(QStringLiteral("tavex.ini")), files.filePath(kept.last())));
#endif
        // What saves killed between writing aside and renaming leave.
        for (const char *name : {"tavex.ini.aBcDeF", "BOTOES.INI.QwErTy"})
            QVERIFY(replaceFile(files.filePath(QLatin1String(name)), "half"));
        removeReplaceLeftovers(files.path(), {QStringLiteral("tavex.ini"), QStringLiteral("BOTOES.INI")});
        QCOMPARE(files.entryList(QDir::Files | QDir::System, QDir::Name), kept);
    }

    void switchLogAppendsAndTurnsOver()
    {
        QTemporaryDir dir;
        SwitchLog log(dir.filePath(QStringLiteral("state/tavex")));
        const QString path = log.path();
        const QString old = path + QStringLiteral(".1");
        log.append(QStringLiteral("ligado  botão"));
        log.append(QStringLiteral("desligado"));
        QCOMPARE(readSmallFile(path, 100), QByteArray("ligado  bot\xc3\xa3o\ndesligado\n"));

        // Full at 1 MiB: the file becomes the old one, replacing the one before, and the line
        // begins a new file.
        QVERIFY(replaceFile(old, "older"));
        QVERIFY(replaceFile(path, QByteArray(SwitchLog::kMaxBytes - 3, 'x')));
        log.append(QStringLiteral("ab"));
        QCOMPARE(QFileInfo(path).size(), SwitchLog::kMaxBytes);
        log.append(QStringLiteral("c"));
        QCOMPARE(readSmallFile(path, 100), QByteArray("c\n"));
        QCOMPARE(QFileInfo(old).size(), SwitchLog::kMaxBytes);

#ifdef Q_OS_UNIX
        // A link or a pipe in the file's place takes nothing, and nothing waits for a reader.
        const QString elsewhere = dir.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QFile::remove(path) && QFile::link(elsewhere, path));
        log.append(QStringLiteral("lost"));
        QVERIFY(!QFileInfo::exists(elsewhere) && QFile::remove(path));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        log.append(QStringLiteral("lost"));
#endif
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
