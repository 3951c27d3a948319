// tavex_bench: measures TAVEX as a user gets it, beside bare Qt programs built and run the same
// way (the floors), and prints one table. Everything runs on an Xvfb of its own against the
// board simulator; it takes about six minutes. Progress goes to stderr, the table to stdout.
//
// Usage: tavex_bench [--runs N] [--clicks N] [--verbs N] [--idle-seconds S]

#include "relays/relayboard.h"
#include "common/relay.h"
#include "measures.h"
#include "subject.h"
#include "table.h"
#include "harness.h"
#include "xwatcher.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cstdio>
#include <functional>

using namespace tavex;
using namespace tavex::bench;

namespace {

struct Options
{
    int runs = 0;
    int clicks = 0;
    int verbs = 0;
    int idleSeconds = 0;
};

Options parseOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures TAVEX beside bare Qt programs."));
    parser.addHelpOption();
    const QCommandLineOption runs(QStringLiteral("runs"),
                                  QStringLiteral("Start-ups of each program (10)."),
                                  QStringLiteral("N"), QStringLiteral("10"));
    const QCommandLineOption clicks(QStringLiteral("clicks"),
                                    QStringLiteral("Clicks on each button, at least 50 (100)."),
                                    QStringLiteral("N"), QStringLiteral("100"));
    const QCommandLineOption verbs(QStringLiteral("verbs"),
                                   QStringLiteral("Command lines, at least 20 (50)."),
                                   QStringLiteral("N"), QStringLiteral("50"));
    const QCommandLineOption idle(QStringLiteral("idle-seconds"),
                                  QStringLiteral("Length of each CPU measurement (60)."),
                                  QStringLiteral("S"), QStringLiteral("60"));
    parser.addOptions({runs, clicks, verbs, idle});
    parser.process(app);

    Options options;
    bool runsOk = false, clicksOk = false, verbsOk = false, idleOk = false;
    options.runs = parser.value(runs).toInt(&runsOk);
    options.clicks = parser.value(clicks).toInt(&clicksOk);
    options.verbs = parser.value(verbs).toInt(&verbsOk);
    options.idleSeconds = parser.value(idle).toInt(&idleOk);
    if (!runsOk || options.runs < 1 || !clicksOk || options.clicks < 50 || !verbsOk
        || options.verbs < 20 || !idleOk
        || options.idleSeconds < 1 || options.idleSeconds > kMaxIdleSeconds) {
        std::fprintf(stderr,
                     "tavex_bench: --runs is at least 1, --clicks at least 50, --verbs at "
                     "least 20, --idle-seconds 1 to %d\n",
                     kMaxIdleSeconds);
        std::exit(2);
    }
    return options;
}

// The machine's load average over the last minute: other work on it slows the start-ups.
double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').value(0).toDouble() : -1;
}

// The machine and the Qt the figures were taken with.
QString host()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    QString model = QStringLiteral("unknown processor");
    if (cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray &line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                model = QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
                break;
            }
        }
    }
    return QStringLiteral("%1, %2 cores, Qt %3")
            .arg(model)
            .arg(QThread::idealThreadCount())
            .arg(qVersion());
}

void progress(const QString &what)
{
    std::fprintf(stderr, "tavex_bench: %s\n", qPrintable(what));
}

// Everything measured, each measurement in its own session.
struct Results
{
    QList<StartupRun> startups, bareStartups, labelledStartups;
    QList<double> clicks, floorClicks, verbs;
    IdleCpu cpu, floorCpu, togetherCpu;
    QList<double> countdownErrors;
    double loadBefore = 0, loadAfter = 0;
};

Results measureAll(const Options &options, const QString &display, XWatcher &watcher)
{
    Results results;
    results.loadBefore = loadAverage();
    // The three programs start by turns, so that whatever else the machine does falls on all.
    for (int run = 1; run <= options.runs; ++run) {
        progress(QStringLiteral("start-up %1 of %2").arg(run).arg(options.runs));
        results.startups.append(measureStartup(display, watcher));
        results.bareStartups.append(measureStartup(display, watcher, QStringLiteral("window")));
        results.labelledStartups.append(measureStartup(display, watcher, QStringLiteral("label")));
    }
    progress(QStringLiteral("%1 clicks on each button").arg(options.clicks));
    results.clicks = measureClicks(display, watcher, options.clicks);
    results.floorClicks = measureClicks(display, watcher, options.clicks, QStringLiteral("button"));
    progress(QStringLiteral("%1 command lines").arg(options.verbs));
    results.verbs = measureVerbs(display, watcher, options.verbs);
    progress(QStringLiteral("CPU over %1 s, the three programs at once").arg(options.idleSeconds));
    const QList<IdleCpu> cpu
            = measureIdleCpu(display, watcher, options.idleSeconds,
                             {QStringLiteral("labels"), QStringLiteral("labels-together")});
    results.cpu = cpu.at(0);
    results.floorCpu = cpu.at(1);
    results.togetherCpu = cpu.at(2);
    progress(QStringLiteral("countdowns of 10 s and 60 s"));
    results.countdownErrors = measureCountdowns(display, watcher, {10, 60});
    results.loadAfter = loadAverage();
    return results;
}

Summary summarise(const QList<StartupRun> &runs,
                  const std::function<double(const StartupRun &)> &value)
{
    QList<double> values;
    for (const StartupRun &run : runs)
        values.append(value(run));
    return bench::summarise(values);
}

// The median over the runs of the time from the stamp `from` (empty: the start) to the stamp
// `to`, less `minus`; empty when no run has both.
QString phase(const QList<StartupRun> &runs, const QString &from, const QString &to,
              double minus = 0)
{
    QList<double> values;
    for (const StartupRun &run : runs) {
        if ((from.isEmpty() || run.stamps.contains(from)) && run.stamps.contains(to))
            values.append(run.stamps.value(to) - run.stamps.value(from) - minus);
    }
    return values.isEmpty() ? QString() : number(bench::summarise(values).median, 1);
}

// Where the start-up's time goes, phase by phase, TAVEX's beside the bare window's.
QString phases(const Results &results)
{
    const QList<StartupRun> &tavex = results.startups;
    const QList<StartupRun> &floor = results.bareStartups;
    const double pauses = double(kRelayCount * RelayBoard::kSwitchOffPause.count());
    const QString first = QStringLiteral("command 1");
    Table table;
    table.add({QStringLiteral("start-up phase, median ms"), QStringLiteral("TAVEX"),
               QStringLiteral("floor (bare window)")});
    table.add({QStringLiteral("exec to main(): the program and its libraries loaded"),
               phase(tavex, {}, QStringLiteral("main")), phase(floor, {}, QStringLiteral("main"))});
    table.add({QStringLiteral("QApplication made"),
               phase(tavex, QStringLiteral("main"), QStringLiteral("qapplication")),
               phase(floor, QStringLiteral("main"), QStringLiteral("qapplication"))});
    table.add({QStringLiteral("the icon set, the one-copy claim, Qt's translation"),
               phase(tavex, QStringLiteral("qapplication"), QStringLiteral("claim"))});
    table.add({QStringLiteral("the window built, its fonts loaded"),
               phase(tavex, QStringLiteral("claim"), QStringLiteral("window"))});
    table.add({QStringLiteral("Form_Load: the names, the settings, the port search"),
               phase(tavex, QStringLiteral("window"), QStringLiteral("loaded"))});
    table.add({QStringLiteral("to the first switch-off command at the board"),
               phase(tavex, QStringLiteral("loaded"), first)});
    table.add({QStringLiteral("the window readied, in the first pause (%1 ms)")
                       .arg(RelayBoard::kSwitchOffPause.count()),
               phase(tavex, first, QStringLiteral("readied"))});
    table.add({QStringLiteral("the %1 pauses beyond their %2 ms").arg(kRelayCount).arg(pauses),
               phase(tavex, first, QStringLiteral("formload"), pauses)});
    table.add({QStringLiteral("Form_Load's end (floor: QApplication made) to the window mapped"),
               phase(tavex, QStringLiteral("formload"), QStringLiteral("mapped")),
               phase(floor, QStringLiteral("qapplication"), QStringLiteral("mapped"))});
    return table.text();
}

QString report(const Options &options, const Results &results)
{
    const Summary window = summarise(results.startups, &StartupRun::windowMs);
    const Summary bareWindow = summarise(results.bareStartups, &StartupRun::windowMs);
    const Summary last
            = summarise(results.startups, [](const StartupRun &run) { return *run.lastCommandMs; });
    const Summary memory = summarise(results.startups, &StartupRun::peakMiB);
    const Summary bareMemory = summarise(results.bareStartups, &StartupRun::peakMiB);
    const Summary labelledMemory = summarise(results.labelledStartups, &StartupRun::peakMiB);
    // The start-up pauses after each of its switch-off commands. It is done once its window
    // is shown and its last command is at the board.
    const auto pause = RelayBoard::kSwitchOffPause.count();
    const double beyondMs = std::max(window.median, last.median) - bareWindow.median
            - double(kRelayCount * pause);
    const double clickMedian = bench::summarise(results.clicks).median;
    const double floorClickMedian = bench::summarise(results.floorClicks).median;
    const double click99 = percentile(results.clicks, 99);
    const double floorClick99 = percentile(results.floorClicks, 99);
    const IdleCpu &cpu = results.cpu;
    const IdleCpu &floorCpu = results.floorCpu;
    const IdleCpu &togetherCpu = results.togetherCpu;

    Table table;
    table.add({QStringLiteral("measure (floor)"), QStringLiteral("TAVEX"), QStringLiteral("floor"),
               QStringLiteral("TAVEX vs floor")});
    table.add({QStringLiteral("start-up to window mapped, ms (bare window)"), figures(window),
               figures(bareWindow),
               number(window.median - bareWindow.median, 1, true) + QStringLiteral(" ms")});
    table.add(
            {QStringLiteral("start-up to last start-up command at the board, ms"), figures(last)});
    table.add({QStringLiteral("start-up done beyond the floor and the %1 x %2 ms pauses, ms")
                       .arg(kRelayCount)
                       .arg(pause),
               number(beyondMs, 1, true),
               {},
               QStringLiteral("target <= +20: %1").arg(beyondMs <= 20 ? "met" : "not met")});
    table.add({QStringLiteral("peak memory VmHWM, MiB (bare window)"), figures(memory),
               figures(bareMemory), ratio(memory.median, bareMemory.median)});
    table.add({QStringLiteral("peak memory VmHWM, MiB (bare window with a label)"), figures(memory),
               figures(labelledMemory), ratio(memory.median, labelledMemory.median, 1.15)});
    // utime + stime count in 10 ms steps, too coarse for the floor's few: the target is judged
    // on the run time, the same CPU time counted in nanoseconds.
    // The countdowns tick a second apart from their switch-ons, each on its own; the floor's
    // labels tick each on its own too. Labels that tick together cost less, being painted
    // and sent in one pass: that row shows what a shared second would save.
    table.add({QStringLiteral("CPU utime + stime, ms per 60 s, 4 countdowns + 4 schedules (4 "
                              "labels set every second, each on its own)"),
               number(cpu.cpuMs, 0), number(floorCpu.cpuMs, 0), ratio(cpu.cpuMs, floorCpu.cpuMs)});
    table.add({QStringLiteral("CPU run time (schedstat), ms per 60 s, the same"),
               number(cpu.runTimeMs, 1), number(floorCpu.runTimeMs, 1),
               ratio(cpu.runTimeMs, floorCpu.runTimeMs, 1.1)});
    table.add({QStringLiteral("CPU run time (schedstat), ms per 60 s, the same (4 labels set "
                              "every second, together)"),
               number(cpu.runTimeMs, 1), number(togetherCpu.runTimeMs, 1),
               ratio(cpu.runTimeMs, togetherCpu.runTimeMs)});
    table.add({QStringLiteral("click to command at the board, median, ms (bare button)"),
               number(clickMedian, 2), number(floorClickMedian, 2),
               ratio(clickMedian, floorClickMedian)});
    table.add({QStringLiteral("click to command at the board, 99th percentile, ms (bare button)"),
               number(click99, 2), number(floorClick99, 2), ratio(click99, floorClick99)});
    const double verbMedian = bench::summarise(results.verbs).median;
    table.add({QStringLiteral("command line (tavex ligar/desligar 1) started to command at the "
                              "board, median, ms"),
               number(verbMedian, 1), {},
               QStringLiteral("target <= 40: %1").arg(verbMedian <= 40 ? "met" : "not met")});
    table.add({QStringLiteral("the same, 99th percentile, ms"),
               number(percentile(results.verbs, 99), 1)});
    table.add(
            {QStringLiteral("10 s countdown, switch-on to switch-off at the board minus 10 s, ms"),
             number(results.countdownErrors.at(0), 1, true)});
    table.add(
            {QStringLiteral("60 s countdown, switch-on to switch-off at the board minus 60 s, ms"),
             number(results.countdownErrors.at(1), 1, true)});

    return QStringLiteral(
                   "TAVEX benchmark: %1 start-ups of each program, %2 clicks on each button, "
                   "%3 command lines, CPU over %4 s; median (min-max)\n%5; load average %6 "
                   "before, %7 after\n\n")
                   .arg(options.runs)
                   .arg(options.clicks)
                   .arg(options.verbs)
                   .arg(options.idleSeconds)
                   .arg(host(), number(results.loadBefore, 2), number(results.loadAfter, 2))
            + table.text() + u'\n' + phases(results)
            + QStringLiteral(
                    "\nStart-up times from just before the process is started. Window mapped: the X "
                    "server's MapNotify; click:\nits raw button release; both stamped as they reach an X "
                    "event watcher. Commands: stamped by the board\nsimulator as they arrive at its "
                    "pseudo-terminal; a command line: from just before the program is started\nwith "
                    "it. 99th percentile: nearest rank. CPU: the program's process alone, TAVEX and its "
                    "two floors\nmeasured over the same seconds. Floors: bare Qt programs "
                    "(tavex-bench-floor) in a window of TAVEX's\nsize. Phases: between the stamps each "
                    "program prints as one ends (with TAVEX_STARTUP_MARKS set), the\nboard's and the "
                    "watcher's; each the median of the runs' own.\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const Options options = parseOptions(app);

    test::Desktop xserver;
    if (!xserver.startServer()) {
        std::fprintf(stderr, "tavex_bench: %s\n", qPrintable(xserver.lastError()));
        return 1;
    }
    XWatcher watcher(xserver.display());
    if (!watcher.start()) {
        std::fprintf(stderr, "tavex_bench: %s\n", qPrintable(watcher.error()));
        return 1;
    }
    try {
        const Results results = measureAll(options, xserver.display(), watcher);
        std::fputs(qPrintable(report(options, results)), stdout);
    } catch (const Failure &failure) {
        std::fprintf(stderr, "tavex_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
