#pragma once

// The end-to-end harness: an Xvfb of its own, the board simulator, the built program, and
// the X tools that look at and work its windows as a user would.

#include <QMap>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <optional>

namespace tavex::test {

using namespace Qt::StringLiterals;
using WindowId = qulonglong;

inline const QString kMainWindowTitle = u"TAVEX"_s;
inline const QString kNoBoardTitle = u"Erro de Comunicação"_s;
inline const QString kCableLossTitle = u"Cabo Desconectado"_s;
// Generous limits: the machine may be busy with a build.
inline constexpr int kWindowTimeoutMs = 30000;
inline constexpr int kByteTimeoutMs = 10000;

// Runs the event loop until `done` holds or `timeoutMs` has passed, checking every `stepMs`.
// Returns whether `done` holds in the end.
bool waitUntil(const std::function<bool()> &done, int timeoutMs, int stepMs = 20);
// Keeps the event loop running for `ms` (so child processes are read meanwhile).
inline void pause(int ms) { waitUntil([] { return false; }, ms); }
// Ends a child process: politely first, then for sure. Nothing happens if it has ended.
void stopProcess(QProcess &process);
// CLOCK_REALTIME in microseconds, the clock of the simulator's record file.
inline qint64 epochMicroseconds()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

// The windows of one X display, through xdotool, xwd and xclip: found by title, clicked at
// a position, typed into. A tool that fails leaves its complaint in lastError().
class Desktop
{
public:
    explicit Desktop(QString display = {}) : m_display(std::move(display)) { }
    ~Desktop() { stopProcess(m_server); }

    // Starts a private Xvfb on the first free display, for the lifetime of the object, and
    // waits until it accepts clients.
    bool startServer();
    QString display() const { return m_display; }

    // The mapped windows titled exactly `title`, or nothing when the search itself failed.
    std::optional<QList<WindowId>> windows(const QString &title) const;
    // The first such window to show up within `timeoutMs`, or 0.
    WindowId waitForWindow(const QString &title, int timeoutMs = kWindowTimeoutMs) const;
    // Whether none is left within `timeoutMs`.
    bool waitForNoWindow(const QString &title, int timeoutMs = kWindowTimeoutMs) const;
    QString windowTitle(WindowId window) const;
    // Position on the screen and size of the client area.
    std::optional<QRect> geometry(WindowId window) const;
    // The width and height of the first icon the window offers (_NET_WM_ICON), if any.
    std::optional<QSize> iconSize(WindowId window) const;
    // Asks the window to close, as its close box in the title bar does.
    bool close(WindowId window) const;
    // A left click at `point`, in the window's client coordinates.
    bool click(WindowId window, QPoint point) const;
    // Gives the window the keyboard focus and presses `keys`, X keysym names between spaces
    // ("ctrl+a 5", "Return"), or types `text` character by character.
    bool pressKeys(WindowId window, const QString &keys) const
    {
        return keyboard(window, QStringList{u"key"_s} + keys.split(u' '));
    }
    bool typeText(WindowId window, const QString &text) const { return keyboard(window, {u"type"_s, text}); }
    // The pixels of `area` of the screen, three bytes each, row by row.
    std::optional<QByteArray> pixels(const QRect &area) const;
    // The text on the clipboard, empty when nobody offers one.
    QString clipboard() const;
    QString lastError() const { return m_lastError; }

private:
    bool keyboard(WindowId window, const QStringList &xdotoolCommand) const;
    // The tool's standard output; `nothingFoundIsFine` takes a silent exit code 1 as success.
    std::optional<QByteArray> run(const QString &program, const QStringList &arguments,
                                  bool nothingFoundIsFine = false) const;

    QProcess m_server;
    QString m_display;
    mutable QString m_lastError;
};

// One line of the simulator's record file.
struct BoardRecord
{
    qint64 epochUs = 0;
    int byte = -1;
    int relay = 0;
    // "ON", "OFF" or "UNKNOWN"; empty for a line that could not be read.
    QString state;
    QString line;

    bool isRelayCommand() const { return state == u"ON" || state == u"OFF"; }
};

// The board simulator (tavex-boardsim) as a child process: a pseudo-terminal behind a
// symlink, a record of every byte received beside it, and a cable that can be pulled and
// plugged back.
class BoardSim
{
public:
    // It takes a termination signal as its "quit".
    ~BoardSim() { stopProcess(m_process); }
    // Puts the board at `linkPath` and waits until it is there.
    bool start(const QString &linkPath);
    // Pulls the cable: the link goes away and the program's descriptor is hung up.
    bool drop() { return command(u"drop"_s, u"dropped"_s); }
    // Plugs it back on a fresh pseudo-terminal at `linkPath`.
    bool restore(const QString &linkPath) { return command(u"restore "_s + linkPath, u"restored "_s + linkPath + u' '); }

    // Every complete line of the record file so far.
    QList<BoardRecord> records() const;
    // The bytes received so far, in order, '?' for a line that could not be read.
    QByteArray received() const;
    bool waitForRecords(int count, int timeoutMs = kByteTimeoutMs) const
    {
        return waitUntil([&] { return records().size() >= count; }, timeoutMs);
    }
    QString output() const { return QString::fromLocal8Bit(m_output); }

private:
    // Sends `line` (nothing if empty) and waits for `reply` or an error in what comes back.
    bool command(const QString &line, const QString &reply);

    QString m_recordPath;
    QProcess m_process;
    QByteArray m_output;
};

// The program itself, started as a user would start it, but with a home, a configuration
// directory and a port table of its own in a scratch directory, on the given X display.
class TavexProcess
{
public:
    // Every port number the program may search, from 1.
    static constexpr int kLastPortNumber = 18;

    // The built TAVEX, or another program started the same way (a benchmark's bare Qt one).
    explicit TavexProcess(QString display, QString program = {});
    ~TavexProcess() { stop(); }

    // A path in the scratch directory (for the board's links); it outlives a stop and a start.
    QString path(const QString &name) const { return m_root.filePath(name); }
    // The program's data directory, and that of its switch record.
    QString configDir() const { return path(u"config/tavex"_s); }
    QString stateDir() const { return path(u"state/tavex"_s); }
    // Points COM<number> at `device`. Every number not given a device points at a path in
    // the scratch directory where nothing exists, so that no real port can ever be opened.
    void mapPort(int number, const QString &device) { m_ports.insert(number, device); }
    QString deviceFor(int number) const { return m_ports.value(number, path(u"absent/ttyCOM%1"_s.arg(number))); }
    // Starts the program through `launcher` (a command and its arguments, the program's path
    // appended), with `environment` added to its own.
    void setLauncher(const QStringList &launcher, const QMap<QString, QString> &environment = {})
    {
        m_launcher = launcher;
        m_environment = environment;
    }
    // Starts it as the user nobody, with the scratch directory made over to nobody.
    void runAsNobody()
    {
        QProcess::execute(u"chown"_s, {u"-R"_s, u"nobody:nogroup"_s, m_root.path()});
        setLauncher({u"setpriv"_s, u"--reuid=nobody"_s, u"--regid=nogroup"_s, u"--clear-groups"_s});
    }

    // Writes PORTAS.INI and starts the program (again after a stop).
    bool start();
    void stop();

    // How a command run of the program ended: its exit status (-1 when it crashed or did not
    // end within 20 s), and what it printed on each channel, its lines ending in LF.
    struct CommandRun
    {
        int status = -1;
        QString out, err;
        // CLOCK_REALTIME in microseconds, taken just before it was started.
        qint64 startedAtUs = 0;
    };
    // Runs the program with `arguments` to its end as a script of the same user would: in the
    // environment the program is started in, through the same launcher, but without a display
    // unless `onDisplay`.
    CommandRun runCommand(const QStringList &arguments, bool onDisplay = false) const;

    bool isRunning() const { return m_process.state() == QProcess::Running; }
    qint64 pid() const { return m_process.processId(); }
    // CLOCK_REALTIME in microseconds, taken just before the process was started.
    qint64 startedAtUs() const { return m_startedAtUs; }
    // The lines of its switch record, each without its date and time, or the line as it is
    // when it does not begin with them.
    QStringList switchRecord() const;
    // What it printed, and how it ended if it did before stop().
    QString output() const { return QString::fromLocal8Bit(m_output); }
    QString ending() const;

private:
    QProcessEnvironment environment() const;

    QString m_program;
    QString m_display;
    QTemporaryDir m_root;
    QMap<int, QString> m_ports;
    QStringList m_launcher;
    QMap<QString, QString> m_environment;
    QProcess m_process;
    QByteArray m_output;
    QString m_ending;
    qint64 m_startedAtUs = 0;
};

// What the program and the simulator printed and the last X tool's complaint, for a failure.
QString report(const TavexProcess &program, const BoardSim &board, const Desktop &desktop);

} // namespace tavex::test
