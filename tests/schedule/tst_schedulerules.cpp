#include "schedule/schedulerules.h"

#include <QTest>

using namespace tavex;

class TestScheduleRules : public QObject
{
    Q_OBJECT

private slots:
    void settingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number"); // -1: not a number
        QTest::newRow("hour item") << "7 h" << 7;
        QTest::newRow("minute item") << "45" << 45;
        QTest::newRow("leading zero") << "07" << 7;
        QTest::newRow("leading blank") << " 7" << 7;
        QTest::newRow("hour 24: no range") << "24 h" << 24;
        QTest::newRow("only the first two count") << "123" << 12;
        QTest::newRow("blank between") << "1 2" << 1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("blanks") << "  " << -1;
        QTest::newRow("letter after digit") << "7h" << -1;
        QTest::newRow("sign") << "-1" << -1;
    }

    void settingNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(tavex::settingNumber(text).value_or(-1), number);
    }

    void matchesSetting()
    {
        const ClockReading seven = readClock(QTime(7, 0, 40));
        QVERIFY(tavex::matchesSetting(seven, u"7 h", u"00"));
        QVERIFY(!tavex::matchesSetting(seven, u"7 h", u"15"));
        QVERIFY(!tavex::matchesSetting(seven, u"17 h", u"00"));
        // Empty boxes never match, not even at midnight; a time that is not one reads so.
        QVERIFY(!tavex::matchesSetting(readClock(QTime()), u"", u""));
        QVERIFY(tavex::matchesSetting(readClock(QTime()), u"0 h", u"00"));
    }
};

QTEST_GUILESS_MAIN(TestScheduleRules)
#include "tst_schedulerules.moc"
