#include "support/windowfixture.h"

#include <QDir>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

namespace {

QCheckBox *armBox(WindowFixture &f, int relay)
{
    return f.checkBox(relay == 1 ? QStringLiteral("Chk_agendar") : QStringLiteral("Chk_agendar%1").arg(relay));
}

// Sets the relay's on hour, on minute, off hour and off minute, then arms its schedule with
// a click on its box, the clock at `at`.
void arm(WindowFixture &f, int relay, const QStringList &times, QTime at)
{
    const char *boxes[] = {"hora_ligar", "min_ligar", "hora_desligar", "min_desligar"};
    for (int i = 0; i < 4; ++i)
        f.combo(QStringLiteral("Cmb1_%1%2").arg(QLatin1String(boxes[i])).arg(relay))->setEditText(times[i]);
    f.clock().setTimeOfDay(at);
    WindowFixture::click(armBox(f, relay));
}

// Runs the relays' schedule ticks 10 seconds apart, from `first` up to `last`; gives every
// tick that wrote to the board as "hh:mm:ss <bytes>".
QStringList runTicks(WindowFixture &f, const QList<int> &relays, QTime first, QTime last)
{
    QStringList switched;
    QTime now = first;
    for (int i = (first.secsTo(last) + 86400) % 86400 / 10; i >= 0; --i, now = now.addSecs(10)) {
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

class TestSchedule : public QObject
{
    Q_OBJECT

private slots:
    void switchesOncePerMinute_data()
    {
        QTest::addColumn<QList<int>>("relays");
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<bool>("onBeforeArming");
        QTest::addColumn<QTime>("armAt"); // ticks from 10 seconds later
        QTest::addColumn<QTime>("until");
        QTest::addColumn<QStringList>("switched");
        const auto row = [](const char *name, const QList<int> &relays, const QStringList &times,
                            QTime armAt, QTime until, const QStringList &switched, bool on = false) {
            QTest::newRow(name) << relays << times << on << armAt << until << switched;
        };
        const QStringList sevenToQuarter{"7 h", "00", "7 h", "15"};
        row("a relay already on stays on, and goes off at its off time", {1}, sevenToQuarter,
            QTime(6, 58, 50), QTime(7, 20), {"07:15:00 2"}, true);
        row("overnight", {4}, {"22 h", "00", "6 h", "00"}, QTime(21, 59, 50), QTime(6, 1),
            {"22:00:00 7", "06:00:00 8"});
        row("hour 24 and minute 60 never match", {2}, {"24 h", "00", "7 h", "60"}, QTime(0, 0, 5),
            QTime(23, 59, 50), {});
        row("armed at 07:00:55: its first tick is past 07:00", {2}, {"7 h", "00", "8 h", "00"},
            QTime(7, 0, 55), QTime(8, 5), {});
        row("two relays at the same time each switch once", {2, 3}, {"7 h", "00", "7 h", "05"},
            QTime(6, 59, 30), QTime(7, 10), {"07:00:00 35", "07:05:00 46"});
        row("on time equal to off time: on, then off, in one tick", {1}, {"7 h", "30", "7 h", "30"},
            QTime(7, 29, 30), QTime(7, 35), {"07:30:00 12"});
    }

    void switchesOncePerMinute()
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
            arm(f, relay, times, armAt);
        }
        QCOMPARE(runTicks(f, relays, armAt.addSecs(10), until), switched);
    }

    void rearmingAndTheDurationBox()
    {
        WindowFixture f;
        f.start();
        arm(f, 1, {"7 h", "00", "9 h", "00"}, QTime(6, 59, 50));
        QCOMPARE(runTicks(f, {1}, QTime(7, 0), QTime(7, 0)), QStringList{"07:00:00 1"});

        // Disarmed, switched off by hand and armed again within the minute: no second switch.
        WindowFixture::click(armBox(f, 1));
        WindowFixture::click(f.relayButton(1));
        arm(f, 1, {"7 h", "00", "9 h", "00"}, QTime(7, 0, 15));
        QCOMPARE(runTicks(f, {1}, QTime(7, 0, 25), QTime(7, 0, 45)), QStringList{});

        // Armed again later for 08:00, whose minute reads 0 as well: a new minute all the same.
        WindowFixture::click(armBox(f, 1));
        arm(f, 1, {"8 h", "00", "9 h", "00"}, QTime(7, 59, 55));
        QCOMPARE(runTicks(f, {1}, QTime(8, 0, 5), QTime(8, 0, 55)), QStringList{"08:00:05 1"});
        // Then day after day, without arming again.
        QCOMPARE(runTicks(f, {1}, QTime(8, 1), QTime(8, 0, 55)), (QStringList{"09:00:00 2", "08:00:00 1"}));
        QCOMPARE(runTicks(f, {1}, QTime(8, 1), QTime(9, 0)), QStringList{"09:00:00 2"});

        // Arming and the duration box exclude each other.
        f.port().clearWritten();
        for (int relay = 1; relay <= 4; ++relay) {
            QCheckBox *duration = f.checkBox(QStringLiteral("chk_timer%1").arg(relay));
            QTimer *timer = f.child<QTimer>(QStringLiteral("Timer_agenda%1").arg(relay));
            WindowFixture::click(duration);
            WindowFixture::click(armBox(f, relay));
            QVERIFY(!duration->isChecked() && timer->isActive() && !f.relayButton(relay)->isEnabled());

            WindowFixture::click(duration);
            QVERIFY(!armBox(f, relay)->isChecked() && !timer->isActive() && f.relayButton(relay)->isEnabled());
        }
        // Neither box switched a relay.
        QVERIFY(f.port().written().isEmpty());
    }

    void keptWhileTheBoardIsGone()
    {
        // Relays 1, 2 and 3 switch on at 07:00; relay 1 goes off at 07:15. The cable is pulled.
        WindowFixture f;
        f.start();
        arm(f, 1, {"7 h", "00", "7 h", "15"}, QTime(6, 59, 55));
        for (int relay : {2, 3})
            arm(f, relay, {"7 h", "00", "9 h", "00"}, QTime(6, 59, 55));
        f.port().unplug(3);

        // Relay 2's switch-on fails and the others are kept; nothing is told inside the ticks.
        QCOMPARE(runTicks(f, {2, 1, 3}, QTime(7, 0, 5), QTime(7, 0, 5)), QStringList{});
        QVERIFY(f.messages().shown().isEmpty());

        // The loss is told once, after the ticks. Behind the message the schedules go on:
        // relay 1's switch-off replaces its switch-on, and disarming relay 3 drops its switch.
        // The cable comes back: the watch finds the board and the message closes by itself.
        f.messages().whileOpen = [&] {
            QCOMPARE(runTicks(f, {1, 2, 3}, QTime(7, 0, 15), QTime(7, 15, 5)), QStringList{});
            WindowFixture::click(armBox(f, 3));
            f.port().plug(3);
            QTRY_VERIFY_WITH_TIMEOUT(!f.window().board().link().boardKnownGone(), 2 * Link::kWatchInterval.count() + 1000);
        };
        QTRY_COMPARE(f.messages().shown().size(), 1);
        QVERIFY(f.messages().shown().first().title == u"Cabo Desconectado" && f.messages().shown().first().closedByProgram);
        // Only relay 2 switches on; relay 1 is off, as its schedule says by now.
        QCOMPARE(f.port().written(), QByteArray("3"));
        QVERIFY(!f.window().board().link().isWatching() && f.relayButton(3)->isEnabled());
        QCOMPARE(runTicks(f, {1, 2}, QTime(7, 15, 15), QTime(7, 16)), QStringList{});
        QTest::qWait(50);
        QCOMPARE(f.messages().shown().size(), 1);
    }
};

QTEST_MAIN(TestSchedule)
#include "tst_schedule.moc"
