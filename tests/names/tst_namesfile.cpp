#include "names/namesfile.h"

#include <QTest>

using namespace tavex;

class TestNamesFile : public QObject
{
    Q_OBJECT

private slots:
    void readingRule_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("only the first eight") << QByteArray("A,B,C,D,E,F,G,H,I\r\n")
                                              << QStringList{"A", "B", "C", "D", "E", "F", "G", "H"};
        QTest::newRow("lone CR, lone LF, a blank line, none at the end")
                << QByteArray("A\rB\n   \n\rD") << QStringList{"A", "B", "", "", "D"};
        QTest::newRow("unquoted: a comma splits, blanks at both ends dropped")
                << QByteArray("  BOMBA  D'AGUA  , B\r\n\tX,\r\n") << QStringList{"BOMBA  D'AGUA", "B", "\tX", ""};
        QTest::newRow("quoted: commas and blanks kept, the rest dropped to the comma")
                << QByteArray("  \"  A, B  \" x\"y,\"\"\r\n") << QStringList{"  A, B  ", ""};
        QTest::newRow("unclosed quote runs to its line end")
                << QByteArray("\"A, B\r\nC\"\r\n\"") << QStringList{"A, B", "C\"", ""};
        QTest::newRow("bytes 0x80 to 0xFF")
                << QByteArray("\x80\x81\x9f\xa0\xc7\xe3\xff\r\n")
                << QStringList{QStringLiteral("€\u0081Ÿ\u00a0Çãÿ")};
    }

    void readingRule()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QCOMPARE(readNameEntries(bytes), entries);
    }
};

QTEST_GUILESS_MAIN(TestNamesFile)
#include "tst_namesfile.moc"
