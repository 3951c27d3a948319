#include "measures.h"

#include "harness.h"
#include "relaybuttons.h"
#include "subject.h"
#include "windowplaces.h"

#include <QElapsedTimer>
#include <QPoint>

#include <memory>
#include <vector>

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

// The top left corner of the `index`th floor's window: below TAVEX's 765 x 481, two to a
// row of the 1280 pixels wide screen, overlapping only where the floors have no label.
QPoint floorPlace(int index)
{
    return {515 * (index % 2), 500 + 20 * (index / 2)};
}

} // namespace

QList<IdleCpu> measureIdleCpu(const QString &display, XWatcher &watcher, int seconds,
                             const QStringList &floorKinds)
{
    // TAVEX first, set going before any floor starts; the floors' windows open below it,
    // side by side, so that none covers what another repaints.
    std::vector<std::unique_ptr<Subject>> subjects;
    subjects.push_back(std::make_unique<Subject>(display, watcher));
    subjects.front()->start();
    startCountdownsAndArmSchedules(*subjects.front(), seconds + kCountdownMarginS);
    for (qsizetype i = 0; i < floorKinds.size(); ++i) {
        subjects.push_back(std::make_unique<Subject>(display, watcher, floorKinds.at(i)));
        subjects.back()->placeFloorAt(floorPlace(int(i)));
        subjects.back()->start();
    }
    // Whatever the starts or the clicks left to do is done before the measurement.
    test::pause(3000);

    // All are measured over the same seconds, so whatever else the machine does then falls
    // on all of them alike.
    QList<IdleCpu> before;
    for (const auto &subject : subjects)
        before.append({subject->cpuMs(), subject->runTimeMs()});
    QElapsedTimer wall;
    wall.start();
    test::waitUntil([] { return false; }, seconds * 1000, 200);
    QList<IdleCpu> used;
    for (const auto &subject : subjects)
        used.append({subject->cpuMs(), subject->runTimeMs()});
    const qint64 wallMs = wall.elapsed();
    const qint64 endUs = test::epochMicroseconds();

    // Every countdown was running all through: each switches its relay off after the end.
    Subject &tavex = *subjects.front();
    const QList<test::BoardRecord> commands
            = tavex.waitForCommands(8, (kCountdownMarginS + 10) * 1000);
    tavex.expectCommands("13572468");
    for (const test::BoardRecord &command : commands.mid(4)) {
        if (command.epochUs < endUs)
            tavex.fail(QStringLiteral("relay %1's countdown ended during the measurement")
                               .arg(command.relay));
    }

    const double per60s = 60000.0 / double(wallMs);
    for (qsizetype i = 0; i < used.size(); ++i) {
        used[i].cpuMs = (used[i].cpuMs - before[i].cpuMs) * per60s;
        used[i].runTimeMs = (used[i].runTimeMs - before[i].runTimeMs) * per60s;
    }
    return used;
}

} // namespace tavex::bench
