#include "mapwatcher.h"

#include "polling.h"

#include <QProcessEnvironment>
#include <QRegularExpression>

namespace tavex::bench {

MapWatcher::MapWatcher(const QString &display) : m_display(display) { }

MapWatcher::~MapWatcher()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    test::stopProcess(m_process);
}

bool MapWatcher::start()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.remove(QStringLiteral("XAUTHORITY"));
    m_process.setProcessEnvironment(env);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("xev"),
                    {QStringLiteral("-root"), QStringLiteral("-event"), QStringLiteral("substructure")});
    if (!m_process.waitForStarted(10000))
        return false;
    // xev says nothing once it listens; give it time to select the events.
    test::pause(1000);
    return m_process.state() == QProcess::Running;
}

void MapWatcher::read(int ms)
{
    if (m_process.bytesAvailable() == 0)
        m_process.waitForReadyRead(ms);
    const QByteArray data = m_process.readAll();
    if (data.isEmpty())
        return;
    const qint64 nowUs = test::epochMicroseconds();
    m_pending += data;

    // MapNotify event, serial 18, synthetic NO, window 0x50d,
    //     event 0x50d, window 0x400030, override NO
    static const QRegularExpression mappedWindow(QStringLiteral("^\\s+event 0x[0-9a-f]+, window (0x[0-9a-f]+)"));
    qsizetype newline;
    while ((newline = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromLatin1(m_pending.left(newline));
        m_pending.remove(0, newline + 1);
        if (line.startsWith(u"MapNotify event")) {
            m_inMapNotify = true;
            continue;
        }
        if (!m_inMapNotify)
            continue;
        m_inMapNotify = false;
        const QRegularExpressionMatch match = mappedWindow.match(line);
        bool ok = false;
        const test::WindowId window = match.captured(1).toULongLong(&ok, 16);
        // Window numbers come back when a later client gets the same slot: the last
        // mapping counts.
        if (ok) {
            m_mappedAtUs.insert(window, nowUs);
            m_newlyMapped.append(window);
        }
    }
}

std::optional<qint64> MapWatcher::mappedAtUs(test::WindowId window) const
{
    const auto found = m_mappedAtUs.constFind(window);
    if (found == m_mappedAtUs.cend())
        return std::nullopt;
    return *found;
}

QList<test::WindowId> MapWatcher::takeNewlyMapped()
{
    return std::exchange(m_newlyMapped, {});
}

} // namespace tavex::bench
