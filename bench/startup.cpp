#include "measures.h"

#include "harness.h"
#include "subject.h"

#include <QRegularExpression>

namespace tavex::bench {

StartupRun measureStartup(const QString &display, XWatcher &watcher, const QString &floorKind)
{
    Subject subject(display, watcher, floorKind);
    subject.start();
    // Anything late would still belong to the start-up.
    test::pause(300);
    subject.expectCommands({});

    const auto since = [&](qint64 us) { return double(us - subject.startedAtUs()) / 1000.0; };
    StartupRun run;
    run.windowMs = since(subject.mappedAtUs());
    const QList<test::BoardRecord> records = subject.records();
    if (!records.isEmpty())
        run.lastCommandMs = since(records.last().epochUs);
    for (qsizetype i = 0; i < records.size(); ++i)
        run.stamps.insert(QStringLiteral("command %1").arg(i + 1), since(records[i].epochUs));
    run.stamps.insert(QStringLiteral("mapped"), run.windowMs);
    // "tavex-startup: <phase> <microseconds since the epoch>", one line each.
    static const QRegularExpression mark(QStringLiteral("^tavex-startup: (\\S+) (\\d+)$"),
                                         QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch &match : mark.globalMatch(subject.output()))
        run.stamps.insert(match.captured(1), since(match.captured(2).toLongLong()));
    run.peakMiB = double(subject.peakResidentKb()) / 1024.0;
    return run;
}

} // namespace tavex::bench
