#include "harness.h"
#include "../support/files.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace tavex::test {

bool waitUntil(const std::function<bool()> &done, int timeoutMs, int stepMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, stepMs);
        QThread::msleep(ulong(stepMs));
    }
    return true;
}

void stopProcess(QProcess &process)
{
    // Nothing happens to one that has ended.
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

bool Desktop::startServer()
{
    // -displayfd picks a free display and writes its number once the server is ready.
    m_server.setStandardInputFile(QProcess::nullDevice());
    m_server.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1280x1024x24"_s,
                               u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
    waitUntil([this] { return m_server.canReadLine() || m_server.state() == QProcess::NotRunning; },
              kWindowTimeoutMs);
    bool ok = false;
    m_display = u":%1"_s.arg(m_server.readLine().trimmed().toInt(&ok));
    if (!ok) {
        m_lastError = u"Xvfb gave no display number: "_s + m_server.errorString() + u' '
            + QString::fromLocal8Bit(m_server.readAllStandardError());
        return false;
    }
    // A Brazilian keyboard, as the program's users have: "ç" has a key of its own, so xdotool
    // types it without remapping a key for it, which a busy program may read after the
    // mapping has changed back.
    return run(u"setxkbmap"_s, {u"-layout"_s, u"br"_s}).has_value();
}

std::optional<QByteArray> Desktop::run(const QString &program, const QStringList &arguments,
                                       bool nothingFoundIsFine) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DISPLAY"_s, m_display);
    env.remove(u"XAUTHORITY"_s);
    // xdotool reads the text it types in the locale's encoding; ours is UTF-8.
    env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    const bool finished =
            process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit;
    const QByteArray out = process.readAllStandardOutput(), err = process.readAllStandardError();
    // xdotool search answers "nothing found" with exit code 1 and no output at all; an X
    // error on the way (a window gone while it looked) ends it the same way, but says so.
    if (finished
        && (process.exitCode() == 0 || (nothingFoundIsFine && out.isEmpty() && err.isEmpty())))
        return out;
    m_lastError = program + u' ' + arguments.join(u' ') + u": "_s
            + (finished ? QString::fromLocal8Bit(err) : process.errorString());
    return std::nullopt;
}

std::optional<QList<WindowId>> Desktop::windows(const QString &title) const
{
    // Every visible window with a name; the title is compared here, since xdotool ignores
    // case and knows no UTF-8.
    const auto out = run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"."_s}, true);
    if (!out)
        return std::nullopt;
    QList<WindowId> found;
    for (const QByteArray &line : out->split('\n'))
        if (!line.isEmpty() && windowTitle(line.toULongLong()) == title)
            found.append(line.toULongLong());
    return found;
}

WindowId Desktop::waitForWindow(const QString &title, int timeoutMs) const
{
    WindowId found = 0;
    waitUntil([&] { return (found = windows(title).value_or(QList<WindowId>()).value(0)) != 0; },
              timeoutMs, 50);
    return found;
}

bool Desktop::waitForNoWindow(const QString &title, int timeoutMs) const
{
    // Only a search that worked and found nothing counts.
    return waitUntil([&] { return windows(title).value_or(QList<WindowId>{0}).isEmpty(); },
                     timeoutMs, 50);
}

QString Desktop::windowTitle(WindowId window) const
{
    const auto out = run(u"xdotool"_s, {u"getwindowname"_s, QString::number(window)});
    return QString::fromUtf8(out.value_or(QByteArray())).trimmed();
}

std::optional<QRect> Desktop::geometry(WindowId window) const
{
    const auto out = run(u"xdotool"_s, {u"getwindowgeometry"_s, u"--shell"_s, QString::number(window)});
    static const QRegularExpression pattern(u"X=(-?\\d+)\nY=(-?\\d+)\nWIDTH=(\\d+)\nHEIGHT=(\\d+)"_s);
    const auto match = pattern.match(QString::fromLatin1(out.value_or(QByteArray())));
    const auto n = [&match](int i) { return match.captured(i).toInt(); };
    return match.hasMatch() ? std::optional(QRect(n(1), n(2), n(3), n(4))) : std::nullopt;
}

std::optional<QSize> Desktop::iconSize(WindowId window) const
{
    // xprop draws each icon the property holds, headed "Icon (<width> x <height>):".
    const auto out = run(u"xprop"_s, {u"-id"_s, QString::number(window), u"-notype"_s, u"_NET_WM_ICON"_s});
    static const QRegularExpression pattern(u"Icon \\((\\d+) x (\\d+)\\)"_s);
    const auto match = pattern.match(QString::fromUtf8(out.value_or(QByteArray())));
    return match.hasMatch() ? std::optional(QSize(match.captured(1).toInt(), match.captured(2).toInt()))
                            : std::nullopt;
}

bool Desktop::click(WindowId window, QPoint point) const
{
    // No --sync: it never returns when the pointer is already there. The warp and the
    // click go out on one connection, so the server handles them in that order.
    return run(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, QString::number(window),
                              QString::number(point.x()), QString::number(point.y()),
                              u"click"_s, u"1"_s})
            .has_value();
}

bool Desktop::close(WindowId window) const
{
    // What a window manager sends when the close box is clicked: WM_DELETE_WINDOW. A
    // connection that failed makes every request below a no-op and keeps its error.
    xcb_connection_t *connection = xcb_connect(m_display.toLatin1().constData(), nullptr);
    const auto atom = [connection](const char *name) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return value;
    };
    xcb_client_message_event_t event{XCB_CLIENT_MESSAGE, 32, 0, xcb_window_t(window), atom("WM_PROTOCOLS"), {}};
    event.data.data32[0] = atom("WM_DELETE_WINDOW"); // data32[1], the time, is XCB_CURRENT_TIME
    xcb_send_event(connection, 0, xcb_window_t(window), XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&event));
    // A round trip: the server has sent the event on before the connection goes.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    const bool delivered = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    if (!delivered)
        m_lastError = u"no X connection to "_s + m_display;
    return delivered;
}

bool Desktop::keyboard(WindowId window, const QStringList &xdotoolCommand) const
{
    // There is no window manager: the focus is set directly, and the keys go through the
    // XTEST extension like a real keyboard's.
    return run(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, QString::number(window)})
            && run(u"xdotool"_s, xdotoolCommand);
}

std::optional<QByteArray> Desktop::pixels(const QRect &area) const
{
    const QString command = u"xwd -root -silent | convert xwd:- -crop %1x%2+%3+%4 +repage rgb:-"_s;
    return run(u"sh"_s, {u"-c"_s, command.arg(area.width()).arg(area.height()).arg(area.x())
                                          .arg(area.y())});
}

QString Desktop::clipboard() const
{
    return QString::fromUtf8(
            run(u"xclip"_s, {u"-o"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, u"UTF8_STRING"_s})
                    .value_or(QByteArray()));
}

bool BoardSim::start(const QString &linkPath)
{
    m_recordPath = linkPath + u".record"_s;
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral(TAVEX_BOARDSIM_PROGRAM),
                    {u"--link"_s, linkPath, u"--record"_s, m_recordPath});
    return command({}, u"ready "_s + linkPath + u' ');
}

bool BoardSim::command(const QString &line, const QString &reply)
{
    m_output += m_process.readAll();
    const qsizetype from = m_output.size();
    if (!line.isEmpty())
        m_process.write((line + u'\n').toLocal8Bit());
    waitUntil([&] {
        m_output += m_process.readAll();
        return m_output.indexOf(reply.toLocal8Bit(), from) >= 0 || m_output.indexOf("error:", from) >= 0
               || m_process.state() == QProcess::NotRunning;
    }, kByteTimeoutMs, 10);
    return m_output.indexOf(reply.toLocal8Bit(), from) >= 0;
}

QList<BoardRecord> BoardSim::records() const
{
    // A line still being written is left for the next look, and so is the "(missing)" of a
    // record that is not there yet.
    QByteArray text = readFile(m_recordPath);
    text.truncate(text.lastIndexOf('\n') + 1);
    // "<epoch_us> <hex> <command> <relay> <ON|OFF|UNKNOWN>"
    static const QRegularExpression pattern(
            u"^(\\d+) ([0-9a-f]{2}) \\S (\\d+) (ON|OFF|UNKNOWN)$"_s);
    QList<BoardRecord> records;
    for (const QByteArray &line : text.split('\n')) {
        const QString text = QString::fromLatin1(line);
        const QRegularExpressionMatch match = pattern.match(text);
        if (match.hasMatch())
            records.append({match.captured(1).toLongLong(), match.captured(2).toInt(nullptr, 16),
                            match.captured(3).toInt(), match.captured(4), text});
        else if (!line.isEmpty())
            records.append({0, -1, 0, QString(), text});
    }
    return records;
}

QByteArray BoardSim::received() const
{
    QByteArray bytes;
    for (const BoardRecord &record : records())
        bytes += record.byte >= 0 ? char(record.byte) : '?';
    return bytes;
}

TavexProcess::TavexProcess(QString display, QString program)
    : m_program(program.isEmpty() ? QStringLiteral(TAVEX_PROGRAM) : std::move(program)),
      m_display(std::move(display))
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
    QObject::connect(&m_process, &QProcess::readyRead, &m_process,
                     [this] { m_output += m_process.readAll(); });
    for (const QString &dir : {path(u"home"_s), path(u"runtime"_s), configDir()})
        QDir().mkpath(dir);
    QFile::setPermissions(path(u"runtime"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                      | QFileDevice::ExeOwner);
}

QString TavexProcess::ending() const
{
    if (!m_ending.isEmpty() || m_process.state() != QProcess::NotRunning)
        return m_ending;
    return (m_process.exitStatus() == QProcess::CrashExit ? u"crashed (signal %1)"_s
                                                          : u"exited with code %1"_s)
            .arg(m_process.exitCode());
}

bool TavexProcess::start()
{
    QByteArray table;
    for (int number = 1; number <= kLastPortNumber; ++number)
        table += u"COM%1=%2\n"_s.arg(number).arg(deviceFor(number)).toUtf8();
    if (!writeFile(QDir(configDir()).filePath(u"PORTAS.INI"_s), table)) {
        m_output += "the port table could not be written\n";
        return false;
    }

    m_process.setProcessEnvironment(environment());
    m_process.setWorkingDirectory(path(u"home"_s));

    const QStringList command = m_launcher + QStringList{m_program};
    m_ending.clear();
    m_startedAtUs = epochMicroseconds();
    m_process.start(command.first(), command.mid(1));
    if (m_process.waitForStarted(10000))
        return true;
    m_output += (command.first() + u": "_s + m_process.errorString()).toLocal8Bit();
    return false;
}

QProcessEnvironment TavexProcess::environment() const
{
    // Nothing of the session the tests run in may reach the program: of its environment
    // only the search path, the locale and the sanitizers' options.
    const QProcessEnvironment outer = QProcessEnvironment::systemEnvironment();
    QProcessEnvironment env;
    for (const QString &name : outer.keys())
        if (name == u"PATH" || name.startsWith(u"LANG") || name.startsWith(u"LC_") || name.contains(u"SAN_"))
            env.insert(name, outer.value(name));
    QMap<QString, QString> own{{u"QT_QPA_PLATFORM"_s, u"xcb"_s}, {u"DISPLAY"_s, m_display},
            {u"HOME"_s, path(u"home"_s)}, {u"XDG_CONFIG_HOME"_s, path(u"config"_s)},
            {u"XDG_CACHE_HOME"_s, path(u"cache"_s)}, {u"XDG_STATE_HOME"_s, path(u"state"_s)},
            {u"XDG_RUNTIME_DIR"_s, path(u"runtime"_s)}};
    own.insert(m_environment);
    for (const auto &[name, value] : own.asKeyValueRange())
        env.insert(name, value);
    return env;
}

TavexProcess::CommandRun TavexProcess::runCommand(const QStringList &arguments, bool onDisplay) const
{
    QProcessEnvironment env = environment();
    if (!onDisplay) {
        env.remove(u"DISPLAY"_s);
        env.remove(u"QT_QPA_PLATFORM"_s);
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(path(u"home"_s));
    process.setStandardInputFile(QProcess::nullDevice());
    const QStringList command = m_launcher + QStringList{m_program} + arguments;
    CommandRun run;
    run.startedAtUs = epochMicroseconds();
    process.start(command.first(), command.mid(1));
    if (process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    stopProcess(process);
    // Its lines end in LF; a Windows program's in CR LF.
    run.out = QString::fromUtf8(process.readAllStandardOutput()).replace(u"\r\n"_s, u"\n"_s);
    run.err = QString::fromUtf8(process.readAllStandardError()).replace(u"\r\n"_s, u"\n"_s);
    return run;
}

QStringList TavexProcess::switchRecord() const
{
    static const QRegularExpression when(u"^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  "_s);
    QStringList lines = QString::fromUtf8(readFile(stateDir() + u"/acionamentos.log"_s)).split(u'\n');
    lines.removeLast();
    for (QString &line : lines)
        line.remove(when);
    return lines;
}

void TavexProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_ending = u"stopped by the test"_s;
    stopProcess(m_process);
    m_output += m_process.readAll();
}

QString report(const TavexProcess &program, const BoardSim &board, const Desktop &desktop)
{
    QStringList records;
    for (const BoardRecord &record : board.records())
        records.append(record.line);
    return u"--- board record:\n%1\n--- program ending: %2\n--- program output:\n%3\n"
           "--- simulator output:\n%4\n--- last X tool error: %5\n--- switch record:\n%6\n"_s
            .arg(records.join(u'\n'), program.ending(), program.output().trimmed(),
                 board.output().trimmed(), desktop.lastError(),
                 QString::fromUtf8(readFile(program.stateDir() + u"/acionamentos.log"_s)));
}

} // namespace tavex::test
