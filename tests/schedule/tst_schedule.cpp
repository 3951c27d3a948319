#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

namespace {


// Sets the relay's on hour, on minute, off hour and off minute, then arms its schedule with
// a click on its box, the clock at `at`.
void arm(WindowFixture &f, int relay, const QStringList &times, QTime at)
{
    const char *boxes[] = {"hora_ligar", "min_ligar", "hora_desligar", "min_desligar"};
    for (int i = 0; i < 4; ++i)
        f.combo(QStringLiteral("Cmb1_%1%2").arg(QLatin1String(boxes[i])).arg(relay))->setEditText(times[i]);
    f.clock().setTimeOfDay(at);
    WindowFixture::click(f.armBox(relay));
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
    void switchesOncePerMinute()
    {
        // Hour 24 and minute 60 never match; an on time equal to the off time switches on, then
        // off, in one tick.
        WindowFixture f;
        f.start();
        arm(f, 2, {"24 h", "00", "7 h", "60"}, QTime(0, 0, 5));
        arm(f, 1, {"7 h", "30", "7 h", "30"}, QTime(0, 0, 5));
        QCOMPARE(runTicks(f, {1, 2}, QTime(0, 0, 15), QTime(23, 59, 55)), QStringList{"07:30:05 12"});
        // Armed at 07:00:55: its first tick is past 07:00.
        arm(f, 3, {"7 h", "00", "8 h", "00"}, QTime(7, 0, 55));
        QCOMPARE(runTicks(f, {3}, QTime(7, 1, 5), QTime(8, 5)), QStringList{});
    }

    void rearmingAndTheDurationBox()
    {
        WindowFixture f;
        f.start();
        arm(f, 1, {"7 h", "00", "9 h", "00"}, QTime(6, 59, 50));
        QCOMPARE(runTicks(f, {1}, QTime(7, 0), QTime(7, 0)), QStringList{"07:00:00 1"});

        // Disarmed, switched off by hand and armed again within the minute: no second switch.
        WindowFixture::click(f.armBox(1));
        WindowFixture::click(f.relayButton(1));
        arm(f, 1, {"7 h", "00", "9 h", "00"}, QTime(7, 0, 15));
        QCOMPARE(runTicks(f, {1}, QTime(7, 0, 25), QTime(7, 0, 45)), QStringList{});

        // Armed again later for 08:00, whose minute reads 0 as well: a new minute all the same.
        WindowFixture::click(f.armBox(1));
        arm(f, 1, {"8 h", "00", "9 h", "00"}, QTime(7, 59, 55));
        QCOMPARE(runTicks(f, {1}, QTime(8, 0, 5), QTime(8, 0, 55)), QStringList{"08:00:05 1"});

        // Arming and the duration box exclude each other.
        f.port().clearWritten();
        for (int relay = 1; relay <= 4; ++relay) {
            QCheckBox *duration = f.checkBox(QStringLiteral("chk_timer%1").arg(relay));
            QTimer *timer = f.child<QTimer>(QStringLiteral("Timer_agenda%1").arg(relay));
            WindowFixture::click(duration);
            WindowFixture::click(f.armBox(relay));
            QVERIFY(!duration->isChecked() && timer->isActive() && !f.relayButton(relay)->isEnabled());

            WindowFixture::click(duration);
            QVERIFY(!f.armBox(relay)->isChecked() && !timer->isActive() && f.relayButton(relay)->isEnabled());
        }
        // Neither box switched a relay.
        QVERIFY(f.port().written().isEmpty());
    }
};

QTEST_MAIN(TestSchedule)
#include "tst_schedule.moc"
