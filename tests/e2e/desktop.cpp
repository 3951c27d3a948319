#include "desktop.h"

#include "polling.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace tavex::test {

namespace {

constexpr int kToolTimeoutMs = 20000;

// A regular expression for xdotool that can only match titles starting like `title`:
// its leading letters, digits and spaces, which need no quoting. The exact title is
// compared afterwards, since xdotool ignores case and knows nothing of UTF-8.
QString titlePrefixPattern(const QString &title)
{
    QString prefix;
    for (const QChar c : title) {
        if (c.unicode() >= 128 || !(c.isLetterOrNumber() || c == u' '))
            break;
        prefix += c;
    }
    return u'^' + prefix;
}

} // namespace

std::optional<QByteArray> Desktop::run(const QString &program, const QStringList &arguments,
                                       const QByteArray &input, bool emptyIsFine) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.remove(QStringLiteral("XAUTHORITY"));
    // xdotool reads the text it types in the locale's encoding; ours is UTF-8.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForStarted(kToolTimeoutMs)) {
        m_lastError = program + QStringLiteral(": ") + process.errorString();
        return std::nullopt;
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        m_lastError = program + QStringLiteral(" did not finish");
        return std::nullopt;
    }
    const QByteArray out = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    // xdotool search answers "nothing found" with exit code 1 and no output at all; an X
    // error on the way (a window gone while it looked) ends it the same way, but says so.
    const bool nothingFound = emptyIsFine && out.isEmpty() && err.isEmpty();
    if (process.exitStatus() != QProcess::NormalExit || (process.exitCode() != 0 && !nothingFound)) {
        m_lastError = program + u' ' + arguments.join(u' ') + QStringLiteral(": ")
                + QString::fromLocal8Bit(err);
        return std::nullopt;
    }
    return out;
}

std::optional<QByteArray> Desktop::xdotool(const QStringList &arguments) const
{
    return run(QStringLiteral("xdotool"), arguments);
}

std::optional<QList<WindowId>> Desktop::findWindows(const QString &title) const
{
    const auto out = run(QStringLiteral("xdotool"),
                         {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                          QStringLiteral("--name"), titlePrefixPattern(title)},
                         {}, true);
    if (!out)
        return std::nullopt;
    QList<WindowId> windows;
    for (const QByteArray &line : out->split('\n')) {
        bool ok = false;
        const WindowId window = line.trimmed().toULongLong(&ok);
        if (ok && windowTitle(window) == title)
            windows.append(window);
    }
    return windows;
}

QList<WindowId> Desktop::visibleWindows(const QString &title) const
{
    return findWindows(title).value_or(QList<WindowId>());
}

WindowId Desktop::waitForWindow(const QString &title, int timeoutMs) const
{
    WindowId found = 0;
    waitUntil(
            [&] {
                const QList<WindowId> windows = visibleWindows(title);
                found = windows.isEmpty() ? 0 : windows.first();
                return found != 0;
            },
            timeoutMs, 50);
    return found;
}

bool Desktop::waitForNoWindow(const QString &title, int timeoutMs) const
{
    // Only a search that worked and found nothing counts.
    return waitUntil(
            [&] {
                const auto windows = findWindows(title);
                return windows && windows->isEmpty();
            },
            timeoutMs, 50);
}

bool Desktop::windowAppearsWithin(const QString &title, int ms) const
{
    bool seen = false;
    waitUntil(
            [&] {
                seen = seen || !visibleWindows(title).isEmpty();
                return false;
            },
            ms, 50);
    return seen || !visibleWindows(title).isEmpty();
}

QString Desktop::windowTitle(WindowId window) const
{
    const auto out = xdotool({QStringLiteral("getwindowname"), QString::number(window)});
    if (!out)
        return {};
    QByteArray name = *out;
    if (name.endsWith('\n'))
        name.chop(1);
    return QString::fromUtf8(name);
}

std::optional<QRect> Desktop::geometry(WindowId window) const
{
    const auto out = xdotool(
            {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(window)});
    if (!out)
        return std::nullopt;
    // Lines of NAME=value: WINDOW, X, Y, WIDTH, HEIGHT, SCREEN.
    int x = -1, y = -1, width = -1, height = -1;
    for (const QByteArray &line : out->split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray name = line.left(equals);
        const int value = line.mid(equals + 1).trimmed().toInt();
        if (name == "X")
            x = value;
        else if (name == "Y")
            y = value;
        else if (name == "WIDTH")
            width = value;
        else if (name == "HEIGHT")
            height = value;
    }
    if (width < 0 || height < 0) {
        m_lastError = QStringLiteral("getwindowgeometry: ") + QString::fromLocal8Bit(*out);
        return std::nullopt;
    }
    return QRect(x, y, width, height);
}

bool Desktop::click(WindowId window, QPoint point) const
{
    // No --sync: it never returns when the pointer is already there. The warp and the
    // click go out on one connection, so the server handles them in that order.
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"),
                    QString::number(window), QString::number(point.x()), QString::number(point.y()),
                    QStringLiteral("click"), QStringLiteral("1")})
            .has_value();
}

bool Desktop::pressKey(WindowId window, const QString &key) const
{
    // There is no window manager: the focus is set directly, and the key goes through
    // the XTEST extension like a real keyboard's.
    return xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)})
                   .has_value()
            && xdotool({QStringLiteral("key"), key}).has_value();
}

bool Desktop::typeText(WindowId window, const QString &text) const
{
    return xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)})
                   .has_value()
            && xdotool({QStringLiteral("type"), text}).has_value();
}

std::optional<QByteArray> Desktop::screenArea(const QRect &area, const QString &output) const
{
    const auto dump = run(QStringLiteral("xwd"), {QStringLiteral("-root"), QStringLiteral("-silent")});
    if (!dump)
        return std::nullopt;
    const QString crop = QStringLiteral("%1x%2+%3+%4")
                                 .arg(area.width())
                                 .arg(area.height())
                                 .arg(area.x())
                                 .arg(area.y());
    return run(QStringLiteral("convert"),
               {QStringLiteral("xwd:-"), QStringLiteral("-crop"), crop, QStringLiteral("+repage"),
                output},
               *dump);
}

std::optional<QByteArray> Desktop::pixels(const QRect &area) const
{
    return screenArea(area, QStringLiteral("rgb:-"));
}

} // namespace tavex::test
