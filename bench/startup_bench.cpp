// Measures the program's start-up as a user gets it: the built program under an Xvfb of
// its own, with the board simulator on COM3. For each run: the time from starting the
// process to the last switch-off command reaching the board, the time to the main window
// being mapped, and the peak resident memory once started.
// Usage: tavex_bench_startup [runs=5]

#include "mapwatcher.h"
#include "polling.h"
#include "session.h"
#include "xserver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace tavex;

namespace {

constexpr int kRunTimeoutMs = 60000;
constexpr char kStartupBytes[] = "2468BDFH";

struct Run
{
    double lastByteMs = 0;
    double windowMs = 0;
    double peakRssMiB = 0;
};

struct Summary
{
    double min, median, max;
};

Summary summarise(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {values.first(), median, values.last()};
}

// Waits until the main window is mapped; with xev, the time is the server's report of it,
// without, the first poll that finds it.
class WindowClock
{
public:
    WindowClock(const test::Desktop &desktop, bench::MapWatcher *watcher)
        : m_desktop(desktop), m_watcher(watcher) { }

    void look()
    {
        if (m_mappedAtUs)
            return;
        if (!m_watcher) {
            if (!m_desktop.visibleWindows(test::kMainWindowTitle).isEmpty())
                m_mappedAtUs = test::epochMicroseconds();
            return;
        }
        m_watcher->read(5);
        for (const test::WindowId window : m_watcher->takeNewlyMapped()) {
            if (m_desktop.windowTitle(window) == test::kMainWindowTitle)
                m_mappedAtUs = m_watcher->mappedAtUs(window);
        }
    }
    std::optional<qint64> mappedAtUs() const { return m_mappedAtUs; }

private:
    const test::Desktop &m_desktop;
    bench::MapWatcher *m_watcher;
    std::optional<qint64> m_mappedAtUs;
};

std::optional<Run> measure(const QString &display, bench::MapWatcher *watcher, QString &error)
{
    test::Session session(display);
    if (!session.startBoard()) {
        error = session.report();
        return std::nullopt;
    }
    session.program().mapPort(3, session.path(QStringLiteral("board")));
    if (watcher)
        watcher->takeNewlyMapped();
    WindowClock windowClock(session.desktop(), watcher);
    if (!session.startProgram()) {
        error = session.report();
        return std::nullopt;
    }

    const QDeadlineTimer deadline(kRunTimeoutMs);
    QList<test::BoardRecord> records;
    while (!deadline.hasExpired()) {
        windowClock.look();
        records = session.board().records();
        if (records.size() >= 8 && windowClock.mappedAtUs())
            break;
        if (!watcher)
            test::pause(5);
    }
    if (records.size() < 8 || !windowClock.mappedAtUs()) {
        error = QStringLiteral("start-up did not finish (%1 bytes, window %2)\n%3")
                        .arg(records.size())
                        .arg(windowClock.mappedAtUs() ? "mapped" : "not mapped", session.report());
        return std::nullopt;
    }
    // Anything late would still count as part of the start-up.
    test::pause(300);
    if (session.board().received() != kStartupBytes) {
        error = QStringLiteral("the board received \"%1\"")
                        .arg(QString::fromLatin1(session.board().received()));
        return std::nullopt;
    }
    const std::optional<qint64> peakKb = session.program().peakResidentKb();
    if (!peakKb) {
        error = QStringLiteral("no VmHWM for the program\n") + session.report();
        return std::nullopt;
    }

    const qint64 startedUs = session.program().startedAtUs();
    return Run{double(records[7].epochUs - startedUs) / 1000.0,
               double(*windowClock.mappedAtUs() - startedUs) / 1000.0, double(*peakKb) / 1024.0};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = true;
    const int runs = args.size() > 1 ? args.at(1).toInt(&ok) : 5;
    if (!ok || runs <= 0) {
        std::fprintf(stderr, "usage: tavex_bench_startup [runs]\n");
        return 2;
    }

    test::XServer xserver;
    if (!xserver.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(xserver.error()));
        return 1;
    }
    std::optional<bench::MapWatcher> watcher;
    if (!QStandardPaths::findExecutable(QStringLiteral("xev")).isEmpty()) {
        watcher.emplace(xserver.display());
        if (!watcher->start())
            watcher.reset();
    }

    std::printf("tavex start-up, %d runs, display %s, window time from %s\n\n", runs,
                qPrintable(xserver.display()),
                watcher ? "the server's MapNotify (xev)" : "polling xdotool (xev not found)");
    std::printf("run  last switch-off (ms)  window mapped (ms)  peak RSS (MiB)\n");
    QList<double> lastByte, window, rss;
    for (int run = 1; run <= runs; ++run) {
        QString error;
        const std::optional<Run> result = measure(xserver.display(), watcher ? &*watcher : nullptr, error);
        if (!result) {
            std::fprintf(stderr, "run %d failed: %s\n", run, qPrintable(error));
            return 1;
        }
        std::printf("%3d  %20.1f  %18.1f  %14.1f\n", run, result->lastByteMs, result->windowMs,
                    result->peakRssMiB);
        std::fflush(stdout);
        lastByte.append(result->lastByteMs);
        window.append(result->windowMs);
        rss.append(result->peakRssMiB);
    }

    std::printf("\n%-22s %9s %9s %9s\n", "", "min", "median", "max");
    const auto line = [](const char *name, const QList<double> &values) {
        const Summary s = summarise(values);
        std::printf("%-22s %9.1f %9.1f %9.1f\n", name, s.min, s.median, s.max);
    };
    line("last switch-off (ms)", lastByte);
    line("window mapped (ms)", window);
    line("peak RSS (MiB)", rss);
    return 0;
}
