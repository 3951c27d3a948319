#include "names/namesfile.h"

#include <QTest>

using namespace tavex;

class TestNamesFile : public QObject
{
    Q_OBJECT

private slots:
    void readingRule_data();
    void readingRule();
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

QTEST_GUILESS_MAIN(TestNamesFile)
#include "tst_namesfile.moc"
