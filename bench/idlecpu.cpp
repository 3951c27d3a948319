#include "measures.h"

#include "harness.h"
#include "relaybuttons.h"
#include "subject.h"
#include "windowplaces.h"

#include <QElapsedTimer>

namespace tavex::bench {

namespace {

// The countdowns run this much longer than the measurement: it starts after all four have
// been set going, and they must still be running when it ends.
constexpr int kCountdownMarginS = 20;

// Relays 1 to 4 switched on with a countdown of `seconds`, then their schedules armed
// (arming clears the duration box but leaves a running countdown running).
void startCountdownsAndArmSchedules(Subject &subject, int seconds)
{
    for (int relay = 1; relay <= 4; ++relay) {
        subject.click(durationBox(relay));
        subject.click(durationText(relay));
        subject.typeOver(QString::number(seconds));
        subject.click(test::relayButtonRect(relay).center());
        subject.waitForCommands(relay, test::kByteTimeoutMs);
        subject.click(scheduleBox(relay));
    }
    // An armed schedule holds its relay's button: these clicks switch nothing.
    for (int relay = 1; relay <= 4; ++relay)
        subject.click(test::relayButtonRect(relay).center());
    test::pause(1000);
    subject.expectCommands("1357");
}

} // namespace

IdleCpu measureIdleCpu(const QString &display, XWatcher &watcher, int seconds,
                       const QString &floorKind)
{
    Subject subject(display, watcher, floorKind);
    subject.start();
    const bool tavex = floorKind.isEmpty();
    if (tavex)
        startCountdownsAndArmSchedules(subject, seconds + kCountdownMarginS);
    // Whatever the start or the clicks left to do is done before the measurement.
    test::pause(3000);

    const double cpuBefore = subject.cpuMs();
    const double runTimeBefore = subject.runTimeMs();
    QElapsedTimer wall;
    wall.start();
    test::waitUntil([] { return false; }, seconds * 1000, 200);
    const double cpuMs = subject.cpuMs() - cpuBefore;
    const double runTimeMs = subject.runTimeMs() - runTimeBefore;
    const qint64 wallMs = wall.elapsed();
    const qint64 endUs = test::epochMicroseconds();

    if (tavex) {
        // Every countdown was running all through: each switches its relay off after the end.
        const QList<test::BoardRecord> commands
                = subject.waitForCommands(8, (kCountdownMarginS + 10) * 1000);
        subject.expectCommands("13572468");
        for (const test::BoardRecord &command : commands.mid(4)) {
            if (command.epochUs < endUs)
                subject.fail(QStringLiteral("relay %1's countdown ended during the measurement")
                                     .arg(command.relay));
        }
    }
    const double per60s = 60000.0 / double(wallMs);
    return {cpuMs * per60s, runTimeMs * per60s};
}

} // namespace tavex::bench
