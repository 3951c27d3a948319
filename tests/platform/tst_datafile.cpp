#include "platform/datafile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tavex;

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void readsOnlySmallRegularFiles()
    {
        QTemporaryDir dir;
        const QString plain = dir.filePath(QStringLiteral("plain"));
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        const QString zero = dir.filePath(QStringLiteral("zero"));
        const QString linked = dir.filePath(QStringLiteral("linked"));
        QVERIFY(replaceFile(plain, "old") && replaceFile(plain, "0123456789"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        QVERIFY(QFile::link(plain, linked));

        QCOMPARE(readSmallFile(plain, 10), QByteArray("0123456789"));
        QCOMPARE(readSmallFile(linked, 10), QByteArray("0123456789"));
        QCOMPARE(readSmallFile(plain, 9), std::nullopt);
        // Neither may block or read without end.
        QCOMPARE(readSmallFile(fifo, 10), std::nullopt);
        QCOMPARE(readSmallFile(zero, 10), std::nullopt);
        QCOMPARE(readSmallFile(dir.path(), 10), std::nullopt);
        QCOMPARE(readSmallFile(dir.filePath(QStringLiteral("missing")), 10), std::nullopt);
    }

    void removesOnlyTheLeftoversOfItsSaves()
    {
        QTemporaryDir dir;
        const QDir files(dir.path());
        // Copies a person made, files of another name, and a link are kept.
        const QStringList kept{"BOTOES.INI.Antigo", "outro.ini.aBcDeF", "tavex.ini", "tavex.ini.BACKUP",
                               "tavex.ini.a1B2c3", "tavex.ini.backup", "tavex.ini.bak", "tavex.ini.qWeRtY"};
        for (const QString &name : kept.first(7))
            QVERIFY(replaceFile(files.filePath(name), "x"));
        QVERIFY(QFile::link(files.filePath(QStringLiteral("tavex.ini")), files.filePath(kept.last())));
        // What saves killed between writing aside and renaming leave.
        for (const char *name : {"tavex.ini.aBcDeF", "BOTOES.INI.QwErTy"})
            QVERIFY(replaceFile(files.filePath(QLatin1String(name)), "half"));
        removeReplaceLeftovers(dir.path(), {QStringLiteral("tavex.ini"), QStringLiteral("BOTOES.INI")});
        QCOMPARE(files.entryList(QDir::Files | QDir::System, QDir::Name), kept);
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
