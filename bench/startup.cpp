#include "measures.h"

#include "harness.h"
#include "subject.h"

namespace tavex::bench {

StartupRun measureStartup(const QString &display, XWatcher &watcher, const QString &floorKind)
{
    Subject subject(display, watcher, floorKind);
    subject.start();
    // Anything late would still belong to the start-up.
    test::pause(300);
    subject.expectCommands({});

    StartupRun run;
    run.windowMs = double(subject.mappedAtUs() - subject.startedAtUs()) / 1000.0;
    const QList<test::BoardRecord> records = subject.records();
    if (!records.isEmpty())
        run.lastCommandMs = double(records.last().epochUs - subject.startedAtUs()) / 1000.0;
    run.peakMiB = double(subject.peakResidentKb()) / 1024.0;
    return run;
}

} // namespace tavex::bench
