#include "xserver.h"

#include "polling.h"

#include <QDeadlineTimer>

namespace tavex::test {

namespace {

constexpr int kStartTimeoutMs = 30000;

} // namespace

XServer::~XServer()
{
    stop();
}

bool XServer::start()
{
    // -displayfd picks a free display and writes its number once the server is ready.
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"),
                     QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                     QStringLiteral("-noreset")});
    if (!m_process.waitForStarted(kStartTimeoutMs)) {
        m_error = QStringLiteral("Xvfb did not start: ") + m_process.errorString();
        return false;
    }

    QByteArray out;
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!out.contains('\n')) {
        if (deadline.hasExpired() || m_process.state() != QProcess::Running) {
            m_error = QStringLiteral("Xvfb gave no display number: ")
                    + QString::fromLocal8Bit(m_process.readAllStandardError());
            stop();
            return false;
        }
        m_process.waitForReadyRead(100);
        out += m_process.readAllStandardOutput();
    }
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    if (!ok) {
        m_error = QStringLiteral("Xvfb wrote an unexpected display number: ")
                + QString::fromLocal8Bit(out);
        stop();
        return false;
    }
    m_display = QStringLiteral(":%1").arg(number);
    return true;
}

void XServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    stopProcess(m_process);
}

} // namespace tavex::test
