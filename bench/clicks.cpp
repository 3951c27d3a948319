#include "measures.h"

#include "harness.h"
#include "relaybuttons.h"
#include "subject.h"

#include <QElapsedTimer>

namespace tavex::bench {

namespace {

// Clicks this far apart are single clicks, never a double click.
constexpr int kClickSpacingMs = 500;

} // namespace

QList<double> measureClicks(const QString &display, XWatcher &watcher, int clicks,
                            const QString &floorKind)
{
    Subject subject(display, watcher, floorKind);
    subject.start();
    watcher.read();
    const qsizetype firstRelease = watcher.releasesUs().size();

    QList<double> latencies;
    QByteArray expected;
    for (int i = 0; i < clicks; ++i) {
        QElapsedTimer spacing;
        spacing.start();
        subject.click(test::relayButtonRect(1).center());
        const test::BoardRecord command
                = subject.waitForCommands(i + 1, test::kByteTimeoutMs).at(i);
        test::waitUntil(
                [&] {
                    watcher.read();
                    return watcher.releasesUs().size() > firstRelease + i;
                },
                test::kByteTimeoutMs, 5);
        if (watcher.releasesUs().size() != firstRelease + i + 1)
            subject.fail(QStringLiteral("click %1: %2 button releases seen")
                                 .arg(i + 1)
                                 .arg(watcher.releasesUs().size() - firstRelease));
        latencies.append(double(command.epochUs - watcher.releasesUs().at(firstRelease + i))
                         / 1000.0);
        // TAVEX switches relay 1 on and off by turns; the floor writes "1" every time.
        expected += floorKind.isEmpty() && i % 2 ? '2' : '1';
        test::pause(int(std::max<qint64>(0, kClickSpacingMs - spacing.elapsed())));
    }
    subject.expectCommands(expected);
    return latencies;
}

} // namespace tavex::bench
