#include "measures.h"

#include "harness.h"
#include "subject.h"

namespace tavex::bench {

namespace {

// Each command line starts once the one before has ended and a little time has passed.
constexpr int kVerbSpacingMs = 100;

} // namespace

QList<double> measureVerbs(const QString &display, XWatcher &watcher, int verbs)
{
    Subject subject(display, watcher);
    subject.start();
    QList<double> latencies;
    QByteArray expected;
    for (int i = 0; i < verbs; ++i) {
        // Relay 1 on and off by turns, so that every command line writes its command.
        const bool on = i % 2 == 0;
        const qint64 startedUs = subject.runCommandLine(
                {on ? QStringLiteral("ligar") : QStringLiteral("desligar"), QStringLiteral("1")});
        const test::BoardRecord command
                = subject.waitForCommands(i + 1, test::kByteTimeoutMs).at(i);
        latencies.append(double(command.epochUs - startedUs) / 1000.0);
        expected += on ? '1' : '2';
        test::pause(kVerbSpacingMs);
    }
    subject.expectCommands(expected);
    return latencies;
}

} // namespace tavex::bench
