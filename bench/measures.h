#pragma once

#include "xwatcher.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The measurements of the benchmark. Each starts its own board simulator and program (TAVEX,
// or with `floorKind` a floor of tavex-bench-floor) on `display`, takes its times from the X
// event watcher and the board's record, and throws bench::Failure when it cannot be made.
namespace tavex::bench {

struct StartupRun
{
    // From just before the process started to the server mapping its window, and to the
    // last start-up command arriving at the board (TAVEX only).
    double windowMs = 0;
    std::optional<double> lastCommandMs;
    // VmHWM once started.
    double peakMiB = 0;
    // When each phase of the start-up ended, as the program printed it ("main",
    // "qapplication", ...), each command arrived at the board ("command 1" to "command 8")
    // and the window was mapped ("mapped"), in milliseconds from the start.
    QMap<QString, double> stamps;
};

StartupRun measureStartup(const QString &display, XWatcher &watcher, const QString &floorKind = {});

// From each click's button release, as the server reports it, to its command's arrival at
// the board, in milliseconds: `clicks` clicks on relay 1's button (or the floor's button).
QList<double> measureClicks(const QString &display, XWatcher &watcher, int clicks,
                            const QString &floorKind = {});

// From the start of each of `verbs` command lines, "tavex ligar 1" and "tavex desligar 1" by
// turns, to its command's arrival at the board, in milliseconds: the built program handing
// each to the running TAVEX.
QList<double> measureVerbs(const QString &display, XWatcher &watcher, int verbs);

// The CPU time over the same `seconds` of doing nothing but their timers, in milliseconds per
// 60 s, of TAVEX with all four countdowns running and all four schedules armed, and of the
// floors of `floorKinds` beside it, running at the same time: TAVEX's first, then the floors'
// in their order.
struct IdleCpu
{
    double cpuMs = 0; // utime + stime, in steps of a clock tick (10 ms)
    double runTimeMs = 0; // the scheduler's run time of all its threads
};

QList<IdleCpu> measureIdleCpu(const QString &display, XWatcher &watcher, int seconds,
                              const QStringList &floorKinds);
// The longest idle measurement: the countdowns must outlast it, and a duration has three
// digits at most.
inline constexpr int kMaxIdleSeconds = 900;

// How much longer than its duration each countdown kept its relay on, at the board (switch-on
// command to switch-off command), in milliseconds: one countdown of each of `seconds` on
// relays 1, 2, ... at the same time.
QList<double> measureCountdowns(const QString &display, XWatcher &watcher,
                                const QList<int> &seconds);

} // namespace tavex::bench
