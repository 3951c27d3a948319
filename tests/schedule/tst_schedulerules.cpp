#include "schedule/schedulerules.h"

#include <QTest>

using namespace tavex;

class TestScheduleRules : public QObject
{
    Q_OBJECT

private slots:
    void settingNumber_data();
    void settingNumber();
    void readClockText_data();
    void readClockText();
    void matchesSetting();
};

void TestScheduleRules::settingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number"); // -1: not a number
    QTest::newRow("hour item") << "7 h" << 7;
    QTest::newRow("two-digit hour") << "23 h" << 23;
    QTest::newRow("midnight") << "0 h" << 0;
    QTest::newRow("minute 00") << "00" << 0;
    QTest::newRow("minute 45") << "45" << 45;
    QTest::newRow("one character") << "7" << 7;
    QTest::newRow("leading zero") << "07" << 7;
    QTest::newRow("leading blank") << " 7" << 7;
    QTest::newRow("hour 24") << "24 h" << 24;
    QTest::newRow("minute 60") << "60" << 60;
    QTest::newRow("only the first two count") << "123" << 12;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("blanks") << "  " << -1;
    QTest::newRow("letter after digit") << "7h" << -1;
    QTest::newRow("letters") << "ab" << -1;
    QTest::newRow("letter first") << "h7" << -1;
    QTest::newRow("sign") << "-1" << -1;
    QTest::newRow("blank between") << "1 2" << 1;
}

void TestScheduleRules::settingNumber()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(tavex::settingNumber(text).value_or(-1), number);
}

void TestScheduleRules::readClockText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("hour"); // -1: unreadable
    QTest::addColumn<int>("minute");
    QTest::newRow("morning") << "07:05:40" << 7 << 5;
    QTest::newRow("midnight") << "00:00:00" << 0 << 0;
    QTest::newRow("last second") << "23:59:59" << 23 << 59;
    QTest::newRow("too short") << "07:0" << -1 << -1;
    QTest::newRow("not digits") << "ab:cd:ef" << -1 << -1;
}

void TestScheduleRules::readClockText()
{
    QFETCH(QString, text);
    QFETCH(int, hour);
    QFETCH(int, minute);
    const std::optional<ClockReading> reading = tavex::readClockText(text);
    QCOMPARE(reading ? reading->hour : -1, hour);
    QCOMPARE(reading ? reading->minute : -1, minute);
}

void TestScheduleRules::matchesSetting()
{
    const ClockReading seven{7, 0};
    QVERIFY(tavex::matchesSetting(seven, u"7 h", u"00"));
    QVERIFY(tavex::matchesSetting(seven, u"07", u"0"));
    QVERIFY(!tavex::matchesSetting(seven, u"7 h", u"15"));
    QVERIFY(!tavex::matchesSetting(seven, u"17 h", u"00"));
    QVERIFY(!tavex::matchesSetting(seven, u"7h", u"00"));
    QVERIFY(!tavex::matchesSetting(ClockReading{0, 0}, u"", u""));
    QCOMPARE(tavex::readClock(QTime(7, 5, 40)).minute, 5);
}

QTEST_GUILESS_MAIN(TestScheduleRules)
#include "tst_schedulerules.moc"
