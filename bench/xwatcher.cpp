#include "xwatcher.h"

#include "harness.h"

#include <QProcessEnvironment>

namespace tavex::bench {

XWatcher::XWatcher(const QString &display) : m_display(display) { }

XWatcher::~XWatcher()
{
    test::stopProcess(m_process);
}

bool XWatcher::start()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.remove(QStringLiteral("XAUTHORITY"));
    m_process.setProcessEnvironment(env);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.start(QStringLiteral(TAVEX_BENCH_XWATCH), {});
    if (!m_process.waitForStarted(10000)) {
        m_error = m_process.errorString();
        return false;
    }
    test::waitUntil(
            [this] {
                read();
                return m_ready || m_process.state() != QProcess::Running;
            },
            10000);
    if (!m_ready)
        m_error = QStringLiteral("the X event watcher did not start: ")
                + QString::fromLocal8Bit(m_process.readAllStandardError());
    return m_ready;
}

void XWatcher::read()
{
    m_pending += m_process.readAllStandardOutput();
    qsizetype newline;
    while ((newline = m_pending.indexOf('\n')) >= 0) {
        // "ready", "map 0x<window> <epoch_us>", "release <epoch_us>"
        const QList<QByteArray> fields = m_pending.left(newline).split(' ');
        m_pending.remove(0, newline + 1);
        bool windowOk = false, timeOk = false;
        if (fields.size() == 1 && fields[0] == "ready") {
            m_ready = true;
        } else if (fields.size() == 3 && fields[0] == "map") {
            const Mapping mapping {fields[1].toULongLong(&windowOk, 16),
                                   fields[2].toLongLong(&timeOk)};
            if (windowOk && timeOk)
                m_mappings.append(mapping);
        } else if (fields.size() == 2 && fields[0] == "release") {
            const qint64 atUs = fields[1].toLongLong(&timeOk);
            if (timeOk)
                m_releasesUs.append(atUs);
        }
    }
}

} // namespace tavex::bench
