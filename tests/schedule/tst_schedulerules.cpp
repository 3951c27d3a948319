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
        QTest::newRow("leading zero") << "07" << 7;
        QTest::newRow("leading blank") << " 7" << 7;
        QTest::newRow("only the first two count") << "123" << 12;
        QTest::newRow("blank between") << "1 2" << 1;
        // An empty box never matches, not even at midnight.
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("blanks") << "  " << -1;
        QTest::newRow("letter after digit") << "7h" << -1;
        QTest::newRow("plus sign") << "+7 h" << 7;
        QTest::newRow("minus sign") << "-7 h" << -7;
    }

    void settingNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(tavex::settingNumber(text).value_or(-1), number);
    }

    void missedSwitch_data()
    {
        QTest::addColumn<QDateTime>("previous");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QString>("missed");
        const QDate day(2026, 12, 7);
        const auto at = [&](int h, int m, int days = 0) { return QDateTime(day.addDays(days), QTime(h, m)); };
        const QStringList sevenToQuarter{"7 h", "00", "7 h", "15"};
        const auto row = [](const char *name, const QDateTime &previous, const QDateTime &now,
                            const QStringList &times, const char *missed) {
            QTest::newRow(name) << previous << now << times << QString::fromLatin1(missed);
        };
        row("slept across the on time", at(6, 59), at(7, 5), sevenToQuarter, "on");
        row("across on and off: the off came last", at(6, 59), at(7, 20), sevenToQuarter, "off");
        row("across midnight", at(23, 50), at(0, 10, 1), {"0 h", "00", "6 h", "00"}, "on");
        row("the off of the current minute is the tick's own", at(6, 59), at(7, 15), sevenToQuarter, "");
        row("the next minute: nothing missed", at(6, 59), at(7, 0), sevenToQuarter, "");
        row("on and off in one minute: the off last", at(7, 29), at(7, 31), {"7 h", "30", "7 h", "30"}, "off");
        row("a day or more: nothing", at(6, 59), at(7, 5, 1), sevenToQuarter, "");
        row("a clock set back: nothing", at(7, 20), at(6, 50), sevenToQuarter, "");
        row("times that name no minute of the day", at(6, 0), at(9, 0), {"24 h", "00", "7 h", "60"}, "");
    }

    void missedSwitch()
    {
        QFETCH(QDateTime, previous);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, times);
        QFETCH(QString, missed);
        const std::optional<Switch> found = tavex::missedSwitch(
                clockMinute(previous), clockMinute(now), {times[0], times[1], times[2], times[3]});
        QCOMPARE(found ? QString::fromLatin1(*found == Switch::On ? "on" : "off") : QString(), missed);
    }

    void clockSetBackSwitchesNoMinuteTwice()
    {
        // Armed at 06:59:50 for 07:00 to 07:15. After the switch-on the clock is set back half
        // an hour, then a day and more; then the laptop sleeps from 07:10 to 07:40.
        ScheduleMarks marks;
        QDateTime clock(QDate(2026, 12, 7), QTime(6, 59, 50));
        scheduleArmed(marks, clock);
        QStringList switched;
        const auto tickAt = [&](const QDateTime &now) {
            clock = now;
            scheduleTick(marks, {"7 h", "00", "7 h", "15"}, [&] { return clock; }, [&](Switch direction) {
                switched << clock.toString(u"dd hh:mm:ss ") + (direction == Switch::On ? u"on"_qs : u"off"_qs);
            });
        };
        const auto day = [](int d, int h, int m, int s = 0) { return QDateTime(QDate(2026, 12, d), QTime(h, m, s)); };
        for (const QDateTime &now : {day(7, 7, 0), day(7, 7, 0, 10), day(7, 6, 30), day(7, 7, 0, 5), day(7, 7, 1),
                                     day(5, 7, 0), day(5, 7, 10), day(5, 7, 40)})
            tickAt(now);
        QCOMPARE(switched, (QStringList{"07 07:00:00 on", "05 07:00:00 on", "05 07:40:00 off"}));
    }
};

QTEST_GUILESS_MAIN(TestScheduleRules)
#include "tst_schedulerules.moc"
