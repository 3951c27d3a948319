#include "subject.h"

#include "harness.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace tavex::bench {

namespace {

// TAVEX's start-up switches every relay off, in relay order.
constexpr char kStartupCommands[] = "2468BDFH";
const QString kFloorTitle = QStringLiteral("floor");

QString bytesOf(const QList<test::BoardRecord> &records)
{
    QString bytes;
    for (const test::BoardRecord &record : records)
        bytes += record.byte >= 0 ? QChar(record.byte) : QChar(u'?');
    return bytes;
}

} // namespace

Subject::Subject(const QString &display, XWatcher &watcher, const QString &floorKind)
    : m_desktop(display),
      m_program(display,
                floorKind.isEmpty() ? QStringLiteral(TAVEX_PROGRAM)
                                    : QStringLiteral(TAVEX_BENCH_FLOOR)),
      m_watcher(watcher),
      m_floorKind(floorKind)
{
}

QString Subject::name() const
{
    return m_floorKind.isEmpty() ? QStringLiteral("TAVEX") : QStringLiteral("floor ") + m_floorKind;
}

int Subject::startupCommandCount() const
{
    return m_floorKind.isEmpty() ? int(qstrlen(kStartupCommands)) : 0;
}

void Subject::start()
{
    const QString board = m_program.path(QStringLiteral("board"));
    if (!m_board.start(board))
        fail(QStringLiteral("the board simulator did not start"));
    m_program.mapPort(3, board);
    // Each prints when the phases of its start-up end; a floor is told its kind and its port.
    QMap<QString, QString> environment{{QStringLiteral("TAVEX_STARTUP_MARKS"), QStringLiteral("1")}};
    if (!m_floorKind.isEmpty()) {
        environment.insert(QStringLiteral("TAVEX_BENCH_FLOOR"), m_floorKind);
        environment.insert(QStringLiteral("TAVEX_BENCH_PORT"), board);
        if (m_floorAt)
            environment.insert(QStringLiteral("TAVEX_BENCH_AT"),
                               QStringLiteral("%1,%2").arg(m_floorAt->x()).arg(m_floorAt->y()));
    }
    m_program.setLauncher({}, environment);

    m_watcher.read();
    qsizetype looked = m_watcher.mappings().size();
    if (!m_program.start())
        fail(QStringLiteral("the program did not start"));
    const QString title = m_floorKind.isEmpty() ? test::kMainWindowTitle : kFloorTitle;
    const bool started = test::waitUntil(
            [&] {
                m_watcher.read();
                for (; looked < m_watcher.mappings().size() && !m_window; ++looked) {
                    const XWatcher::Mapping mapping = m_watcher.mappings().at(looked);
                    if (m_desktop.windowTitle(mapping.window) == title) {
                        m_window = mapping.window;
                        m_mappedAtUs = mapping.atUs;
                    }
                }
                return m_window && records().size() >= startupCommandCount();
            },
            test::kWindowTimeoutMs);
    if (!started)
        fail(QStringLiteral("no window titled \"%1\" and %2 start-up commands in time")
                     .arg(title)
                     .arg(startupCommandCount()));
    const QString startup = bytesOf(records().mid(0, startupCommandCount()));
    if (startup != QLatin1String(kStartupCommands).left(startupCommandCount()))
        fail(QStringLiteral("the start-up wrote \"%1\"").arg(startup));
}

QList<test::BoardRecord> Subject::commands()
{
    return records().mid(startupCommandCount());
}

QList<test::BoardRecord> Subject::waitForCommands(int count, int timeoutMs)
{
    QList<test::BoardRecord> now;
    test::waitUntil([&] { return (now = commands()).size() >= count; }, timeoutMs, 5);
    if (now.size() < count)
        fail(QStringLiteral("%1 commands expected, the board received \"%2\"")
                     .arg(count)
                     .arg(bytesOf(now)));
    return now;
}

void Subject::expectCommands(const QByteArray &expected)
{
    const QString received = bytesOf(commands());
    if (received != QLatin1String(expected))
        fail(QStringLiteral("the board received \"%1\", expected \"%2\"")
                     .arg(received, QLatin1String(expected)));
}

qint64 Subject::runCommandLine(const QStringList &arguments)
{
    const test::TavexProcess::CommandRun run = m_program.runCommand(arguments);
    if (run.status != 0) {
        fail(QStringLiteral("\"tavex %1\" ended with %2: %3")
                     .arg(arguments.join(u' '))
                     .arg(run.status)
                     .arg(run.err));
    }
    return run.startedAtUs;
}

void Subject::click(QPoint point)
{
    if (!m_desktop.click(m_window, point))
        fail(QStringLiteral("the click at %1,%2 failed").arg(point.x()).arg(point.y()));
}

void Subject::typeOver(const QString &text)
{
    QStringList keys {QStringLiteral("ctrl+a")};
    for (const QChar c : text)
        keys.append(c);
    for (const QString &key : keys) {
        if (!m_desktop.pressKeys(m_window, key))
            fail(QStringLiteral("typing %1 failed").arg(key));
    }
}

double Subject::cpuMs()
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(m_program.pid()));
    if (!m_program.isRunning() || !file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("no /proc/<pid>/stat for the program"));
    // "pid (comm) state ppid ...": utime and stime are the 14th and 15th fields, the 12th
    // and 13th after the command's closing parenthesis.
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    bool userOk = false, systemOk = false;
    const qint64 ticks
            = fields.value(11).toLongLong(&userOk) + fields.value(12).toLongLong(&systemOk);
    if (!userOk || !systemOk)
        fail(QStringLiteral("unexpected /proc/<pid>/stat: ") + QString::fromLatin1(stat));
    return double(ticks) * 1000.0 / double(::sysconf(_SC_CLK_TCK));
}

double Subject::runTimeMs()
{
    const QString tasks = QStringLiteral("/proc/%1/task").arg(m_program.pid());
    qint64 ns = 0;
    // Each thread's "<run time ns> <wait time ns> <time slices>".
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks + u'/' + task + QStringLiteral("/schedstat"));
        bool ok = false;
        if (file.open(QIODevice::ReadOnly))
            ns += file.readAll().split(' ').value(0).toLongLong(&ok);
        if (!ok)
            fail(QStringLiteral("no run time in ") + file.fileName());
    }
    return double(ns) / 1e6;
}

qint64 Subject::peakResidentKb()
{
    QFile status(QStringLiteral("/proc/%1/status").arg(m_program.pid()));
    if (m_program.isRunning() && status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // "VmHWM:     41234 kB"
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (!line.startsWith("VmHWM:"))
                continue;
            bool ok = false;
            const qint64 kb = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
            if (ok)
                return kb;
        }
    }
    fail(QStringLiteral("no VmHWM for the program"));
}

void Subject::fail(const QString &why)
{
    bench::fail(name() + QStringLiteral(": ") + why + u'\n' + test::report(m_program, m_board, m_desktop));
}

} // namespace tavex::bench
