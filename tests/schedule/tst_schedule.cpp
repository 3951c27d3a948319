#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestSchedule : public QObject
{
    Q_OBJECT

private slots:
    void switchesOncePerMinute_data();
    void switchesOncePerMinute();
    void twoDaysOnAllFourRelays();
    void armingAndTheDurationBoxExcludeEachOther();
    void armedButtonStaysDisabledThroughSearches();
    void rearming();
    void dueWhileAMessageIsOpen();
};

namespace {

QCheckBox *armBox(WindowFixture &f, int relay)
{
    return f.checkBox(relay == 1 ? QStringLiteral("Chk_agendar")
                                 : QStringLiteral("Chk_agendar%1").arg(relay));
}

void setTimes(WindowFixture &f, int relay, const QStringList &times)
{
    const char *boxes[] = {"hora_ligar", "min_ligar", "hora_desligar", "min_desligar"};
    for (int i = 0; i < 4; ++i)
        f.combo(QStringLiteral("Cmb1_%1%2").arg(QLatin1String(boxes[i])).arg(relay))
                ->setEditText(times[i]);
}

// Arms the relay's schedule with a click on its box, the clock at `at`.
void arm(WindowFixture &f, int relay, QTime at)
{
    f.clock().setTimeOfDay(at);
    WindowFixture::click(armBox(f, relay));
    QVERIFY(armBox(f, relay)->isChecked());
}

// Runs `count` schedule ticks of the relays, 10 seconds apart, the first at `first`; gives
// every tick that wrote to the board as "hh:mm:ss <bytes>".
QStringList runTicks(WindowFixture &f, const QList<int> &relays, QTime first, int count)
{
    QStringList switched;
    QTime now = first;
    for (int i = 0; i < count; ++i, now = now.addSecs(10)) {
        f.clock().setTimeOfDay(now);
        f.port().clearWritten();
        for (int relay : relays)
            f.window().scheduleTimerTick(relay);
        if (!f.port().written().isEmpty())
            switched << now.toString(u"hh:mm:ss") + u' ' + QString::fromLatin1(f.port().written());
    }
    return switched;
}

} // namespace

void TestSchedule::switchesOncePerMinute_data()
{
    QTest::addColumn<QList<int>>("relays");
    QTest::addColumn<QStringList>("times"); // on hour, on minute, off hour, off minute
    QTest::addColumn<bool>("onBeforeArming");
    QTest::addColumn<QTime>("armAt");
    QTest::addColumn<QTime>("until");
    QTest::addColumn<QStringList>("switched");

    const QStringList sevenToQuarter{"7 h", "00", "7 h", "15"};
    QTest::newRow("on and off once, at the first tick of each minute")
            << QList<int>{1} << sevenToQuarter << false << QTime(6, 58, 50) << QTime(7, 20)
            << QStringList{"07:00:00 1", "07:15:00 2"};
    QTest::newRow("a relay already on stays on, and goes off at its off time")
            << QList<int>{1} << sevenToQuarter << true << QTime(6, 58, 50) << QTime(7, 20)
            << QStringList{"07:15:00 2"};
    QTest::newRow("midnight") << QList<int>{3} << QStringList{"0 h", "00", "0 h", "30"} << false
                              << QTime(23, 58, 50) << QTime(0, 40)
                              << QStringList{"00:00:00 5", "00:30:00 6"};
    QTest::newRow("overnight") << QList<int>{4} << QStringList{"22 h", "00", "6 h", "00"} << false
                               << QTime(21, 59, 50) << QTime(6, 1)
                               << QStringList{"22:00:00 7", "06:00:00 8"};
    QTest::newRow("hour 24 and minute 60 never match")
            << QList<int>{2} << QStringList{"24 h", "00", "7 h", "60"} << false << QTime(0, 0, 5)
            << QTime(23, 59, 50) << QStringList{};
    QTest::newRow("armed at 07:00:55: its first tick is past 07:00")
            << QList<int>{2} << QStringList{"7 h", "00", "8 h", "00"} << false
            << QTime(7, 0, 55) << QTime(8, 5) << QStringList{};
    QTest::newRow("two relays at the same time each switch once")
            << QList<int>{1, 2} << QStringList{"7 h", "00", "7 h", "05"} << false
            << QTime(6, 59, 30) << QTime(7, 10)
            << QStringList{"07:00:00 13", "07:05:00 24"};
    QTest::newRow("on time equal to off time: on, then off, in one tick")
            << QList<int>{1} << QStringList{"7 h", "30", "7 h", "30"} << false
            << QTime(7, 29, 30) << QTime(7, 35) << QStringList{"07:30:00 12"};
}

void TestSchedule::switchesOncePerMinute()
{
    QFETCH(QList<int>, relays);
    QFETCH(QStringList, times);
    QFETCH(bool, onBeforeArming);
    QFETCH(QTime, armAt);
    QFETCH(QTime, until);
    QFETCH(QStringList, switched);

    WindowFixture f;
    f.start();
    for (int relay : relays) {
        if (onBeforeArming)
            WindowFixture::click(f.relayButton(relay));
        setTimes(f, relay, times);
        arm(f, relay, armAt);
    }
    const QTime first = armAt.addSecs(10);
    const int count = (first.secsTo(until) + 86400) % 86400 / 10 + 1;
    QCOMPARE(runTicks(f, relays, first, count), switched);
}

void TestSchedule::twoDaysOnAllFourRelays()
{
    WindowFixture f;
    f.start();
    const QList<QStringList> times{{"7 h", "00", "7 h", "15"},
                                   {"12 h", "30", "13 h", "45"},
                                   {"22 h", "00", "6 h", "00"},
                                   {"18 h", "15", "18 h", "30"}};
    for (int relay = 1; relay <= 4; ++relay) {
        setTimes(f, relay, times[relay - 1]);
        arm(f, relay, QTime(11, 59, 50));
    }
    const QStringList oneDay{"12:30:00 3", "13:45:00 4", "18:15:00 7", "18:30:00 8",
                             "22:00:00 5", "06:00:00 6", "07:00:00 1", "07:15:00 2"};
    QCOMPARE(runTicks(f, {1, 2, 3, 4}, QTime(12, 0), 2 * 8640), oneDay + oneDay);
    QVERIFY(f.messages().shown().isEmpty());
}

void TestSchedule::armingAndTheDurationBoxExcludeEachOther()
{
    WindowFixture f;
    f.start();
    for (int relay = 1; relay <= 4; ++relay) {
        QCheckBox *duration = f.checkBox(QStringLiteral("chk_timer%1").arg(relay));
        QTimer *timer = f.timer(QStringLiteral("Timer_agenda%1").arg(relay));
        WindowFixture::click(duration);
        arm(f, relay, QTime(9, 0));
        QVERIFY(!duration->isChecked());
        QVERIFY(!f.relayButton(relay)->isEnabled());
        QVERIFY(timer->isActive());

        WindowFixture::click(duration);
        QVERIFY(!armBox(f, relay)->isChecked());
        QVERIFY(f.relayButton(relay)->isEnabled());
        QVERIFY(!timer->isActive());
    }
    // Neither box switched a relay.
    QVERIFY(f.port().written().isEmpty());
}

void TestSchedule::armedButtonStaysDisabledThroughSearches()
{
    // No board at start-up: every button is disabled.
    WindowFixture f(0);
    f.start();
    arm(f, 1, QTime(9, 0));
    WindowFixture::click(armBox(f, 2));
    WindowFixture::click(armBox(f, 2));
    // Disarming gives the button back even without a port.
    QVERIFY(f.relayButton(2)->isEnabled());

    // The board comes back behind a failed switch: the search enables every button but the
    // one an armed schedule holds.
    f.messages().whileOpen = [&] { f.port().plug(3); };
    WindowFixture::click(f.relayButton(2));
    QCOMPARE(f.portLabel(), u"COM 3");
    QVERIFY(f.relayButton(3)->isEnabled());
    QVERIFY(!f.relayButton(1)->isEnabled());
}

void TestSchedule::rearming()
{
    WindowFixture f;
    f.start();
    setTimes(f, 1, {"7 h", "00", "9 h", "00"});
    arm(f, 1, QTime(6, 59, 50));
    QCOMPARE(runTicks(f, {1}, QTime(7, 0), 1), QStringList{"07:00:00 1"});

    // Disarmed, switched off by hand and armed again within the minute: no second switch.
    WindowFixture::click(armBox(f, 1));
    WindowFixture::click(f.relayButton(1));
    arm(f, 1, QTime(7, 0, 15));
    QCOMPARE(runTicks(f, {1}, QTime(7, 0, 25), 3), QStringList{});

    // Armed again later for 08:00, whose minute reads 0 as well: a new minute all the same.
    WindowFixture::click(armBox(f, 1));
    setTimes(f, 1, {"8 h", "00", "9 h", "00"});
    arm(f, 1, QTime(7, 59, 55));
    QCOMPARE(runTicks(f, {1}, QTime(8, 0, 5), 6), QStringList{"08:00:05 1"});
}

void TestSchedule::dueWhileAMessageIsOpen()
{
    WindowFixture f;
    f.start();
    setTimes(f, 1, {"7 h", "00", "7 h", "30"});
    arm(f, 1, QTime(6, 59, 55));
    // Relay 2's cable-loss message is open when relay 1's switch-on falls due.
    f.port().unplug(3);
    f.messages().whileOpen = [&] {
        f.port().plug(3);
        f.clock().setTimeOfDay(QTime(7, 0, 5));
        f.window().Timer_agenda1_Timer();
    };
    WindowFixture::click(f.relayButton(2));
    QCOMPARE(f.messages().shown().size(), 1);
    QVERIFY(f.port().written().isEmpty());
    // The message closed; the next tick of the minute switches, once.
    QCOMPARE(runTicks(f, {1}, QTime(7, 0, 15), 5), QStringList{"07:00:15 1"});
}

QTEST_MAIN(TestSchedule)
#include "tst_schedule.moc"
