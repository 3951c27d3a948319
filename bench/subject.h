#pragma once

#include "harness.h"
#include "xwatcher.h"

#include <QPoint>
#include <QString>

#include <optional>
#include <stdexcept>

namespace tavex::bench {

// A measurement that could not be made, and why.
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString &why) : std::runtime_error(why.toStdString()) { }
};

[[noreturn]] inline void fail(const QString &why)
{
    throw Failure(why);
}

// One program measured on the bench's display, with the board simulator as its COM3: TAVEX
// itself, or a floor (tavex-bench-floor) of the given kind, started the same way.
class Subject
{
public:
    Subject(const QString &display, XWatcher &watcher, const QString &floorKind = {});

    // Where a floor's window is to open, its top left corner on the screen; TAVEX opens
    // where the window system puts it. Takes effect at start().
    void placeFloorAt(QPoint topLeft) { m_floorAt = topLeft; }

    // Starts the board and the program and waits until the program's window is mapped and,
    // for TAVEX, its start-up commands have reached the board.
    void start();

    QString name() const;
    test::WindowId window() const { return m_window; }
    // CLOCK_REALTIME in microseconds: just before the process started, and when the server
    // mapped its window.
    qint64 startedAtUs() { return m_program.startedAtUs(); }
    qint64 mappedAtUs() const { return m_mappedAtUs; }

    // What the program printed so far.
    QString output() const { return m_program.output(); }

    // The board's record, and the commands that came after the start-up's.
    QList<test::BoardRecord> records() { return m_board.records(); }
    QList<test::BoardRecord> commands();
    // Waits until `count` commands have come after the start-up's; fails if they do not.
    QList<test::BoardRecord> waitForCommands(int count, int timeoutMs);
    // Fails unless the commands after the start-up's are `expected`.
    void expectCommands(const QByteArray &expected);

    // Runs the built program with `arguments`, a command line for the running TAVEX, as a
    // script of the same user would, and waits until it has ended; fails unless it ends with
    // status 0. Returns when it was started (CLOCK_REALTIME, microseconds, just before).
    qint64 runCommandLine(const QStringList &arguments);

    // A left click at `point` of the window, and text typed over what the focused box holds.
    void click(QPoint point);
    void typeOver(const QString &text);

    // The program's CPU time so far, in milliseconds: utime + stime, which count in clock
    // ticks (10 ms), and the scheduler's run time of all its threads, which counts in ns.
    double cpuMs();
    double runTimeMs();
    // The program's peak resident memory (VmHWM), in kB.
    qint64 peakResidentKb();

    // Fails with what both programs printed.
    [[noreturn]] void fail(const QString &why);

private:
    int startupCommandCount() const;

    test::Desktop m_desktop;
    test::BoardSim m_board;
    test::TavexProcess m_program;
    XWatcher &m_watcher;
    QString m_floorKind;
    std::optional<QPoint> m_floorAt;
    test::WindowId m_window = 0;
    qint64 m_mappedAtUs = 0;
};

} // namespace tavex::bench
