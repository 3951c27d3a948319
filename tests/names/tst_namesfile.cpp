#include "common/windows1252.h"
#include "names/namesfile.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tavex;

class TestNamesFile : public QObject
{
    Q_OBJECT

private slots:
    void readingRule_data();
    void readingRule();
    void randomBytesAndRoundTrips();
};

void TestNamesFile::readingRule_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    const QStringList eight{"A", "B", "C", "D", "E", "F", "G", "H"};

    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("eight lines") << QByteArray("A\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\nH\r\n") << eight;
    QTest::newRow("only the first eight") << QByteArray("A,B,C,D,E,F,G,H,I\r\n") << eight;
    QTest::newRow("empty and blank lines")
            << QByteArray("\r\n   \r\nC\r\n") << QStringList{"", "", "C"};
    QTest::newRow("fewer than eight") << QByteArray("A\r\nB\r\n") << QStringList{"A", "B"};
    QTest::newRow("no final line end") << QByteArray("A\r\nB") << QStringList{"A", "B"};
    QTest::newRow("lone CR and lone LF")
            << QByteArray("A\rB\nC\n\rD\r\n") << QStringList{"A", "B", "C", "", "D"};
    QTest::newRow("unquoted: blanks at both ends dropped")
            << QByteArray("  BOMBA  D'AGUA  \r\n\tX\r\n") << QStringList{"BOMBA  D'AGUA", "\tX"};
    QTest::newRow("unquoted comma splits the line")
            << QByteArray("A, B\r\nC,\r\n") << QStringList{"A", "B", "C", ""};
    QTest::newRow("quoted: commas and blanks kept")
            << QByteArray("  \"  A, B  \"\r\n\"\"\r\n") << QStringList{"  A, B  ", ""};
    QTest::newRow("after the closing quote: dropped to the comma")
            << QByteArray("\"A\" x\"y,B\r\n") << QStringList{"A", "B"};
    QTest::newRow("unclosed quote runs to its line end")
            << QByteArray("\"A, B\r\nC\"\r\n\"") << QStringList{"A, B", "C\"", ""};
    QTest::newRow("bytes 0x80 to 0xFF")
            << QByteArray("\x80\x81\x9f\xa0\xc7\xe3\xff\r\n")
            << QStringList{QStringLiteral("€\u0081Ÿ\u00a0Çãÿ")};
}

void TestNamesFile::readingRule()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(readNameEntries(bytes), entries);
}

void TestNamesFile::randomBytesAndRoundTrips()
{
    QRandomGenerator random(8);
    const QString alphabet = QStringLiteral("ab ,ç\"\t€Ωz\r\n");
    for (int round = 0; round < 2000; ++round) {
        // Whatever the bytes, at most eight entries, none holding a line end.
        QByteArray bytes(random.bounded(64), Qt::Uninitialized);
        for (char &b : bytes)
            b = char(random.bounded(256));
        const QList<QString> entries = readNameEntries(bytes);
        QVERIFY(entries.size() <= 8);
        for (const QString &entry : entries)
            QVERIFY(!entry.contains(u'\r') && !entry.contains(u'\n'));

        // Whatever the boxes hold, the file reads back as eight entries: each name upper-cased
        // without what a box refuses, and without its outer blanks unless it has a comma.
        QStringList names;
        QStringList expected;
        for (int n = 0; n < 8; ++n) {
            QString name;
            for (int i = random.bounded(8); i > 0; --i)
                name += alphabet[random.bounded(alphabet.size())];
            names << name;
            const QString kept = nameText(upperWindows1252(name));
            expected << (kept.contains(u',') ? kept : trimBlanks(kept));
        }
        const QByteArray file = namesFileContents(names);
        QVERIFY(file.endsWith("\r\n"));
        QCOMPARE(readNameEntries(file), expected);
    }
}

QTEST_GUILESS_MAIN(TestNamesFile)
#include "tst_namesfile.moc"
