#include "boardsim.h"

#include "polling.h"

#include <QFile>

namespace tavex::test {

namespace {

constexpr int kReplyTimeoutMs = 10000;

// "<epoch_us> <hex> <cmd> <relay> <ON|OFF|UNKNOWN>"
BoardRecord parseRecord(const QByteArray &line)
{
    BoardRecord record;
    record.line = QString::fromLatin1(line);
    record.state = QStringLiteral("MALFORMED");
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() != 5 || fields[2].size() != 1)
        return record;
    bool epochOk = false, byteOk = false, relayOk = false;
    const qint64 epochUs = fields[0].toLongLong(&epochOk);
    const int byte = fields[1].toInt(&byteOk, 16);
    const int relay = fields[3].toInt(&relayOk);
    const QString state = QString::fromLatin1(fields[4]);
    if (!epochOk || !byteOk || fields[1].size() != 2 || !relayOk
        || !(state == u"ON" || state == u"OFF" || state == u"UNKNOWN"))
        return record;
    record.epochUs = epochUs;
    record.byte = byte;
    record.command = fields[2].at(0);
    record.relay = relay;
    record.state = state;
    return record;
}

} // namespace

BoardSim::BoardSim(QString program) : m_program(std::move(program))
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process,
                     [this] { readOutput(); });
}

BoardSim::~BoardSim()
{
    stop();
}

bool BoardSim::start(const QString &linkPath, const QString &recordPath)
{
    m_recordPath = recordPath;
    m_process.start(m_program, {QStringLiteral("--link"), linkPath,
                                QStringLiteral("--record"), recordPath});
    if (!m_process.waitForStarted(kReplyTimeoutMs)) {
        m_error = m_program + QStringLiteral(": ") + m_process.errorString();
        return false;
    }
    return waitForLine(QStringLiteral("ready ") + linkPath + u' ', kReplyTimeoutMs);
}

bool BoardSim::drop()
{
    return sendAndWait(QStringLiteral("drop"), QStringLiteral("dropped"));
}

bool BoardSim::restore(const QString &linkPath)
{
    if (linkPath.isEmpty())
        return sendAndWait(QStringLiteral("restore"), QStringLiteral("restored "));
    return sendAndWait(QStringLiteral("restore ") + linkPath,
                       QStringLiteral("restored ") + linkPath + u' ');
}

void BoardSim::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.write("quit\n");
    if (!m_process.waitForFinished(5000))
        stopProcess(m_process);
    readOutput();
}

QList<BoardRecord> BoardSim::records() const
{
    QList<BoardRecord> records;
    QFile file(m_recordPath);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    QByteArray text = file.readAll();
    // A line still being written is left for the next look.
    text.truncate(text.lastIndexOf('\n') + 1);
    for (const QByteArray &line : text.split('\n')) {
        if (!line.isEmpty())
            records.append(parseRecord(line));
    }
    return records;
}

QByteArray BoardSim::received() const
{
    QByteArray bytes;
    for (const BoardRecord &record : records())
        bytes.append(record.byte >= 0 ? char(record.byte) : '?');
    return bytes;
}

bool BoardSim::waitForRecords(int count, int timeoutMs) const
{
    return waitUntil([&] { return records().size() >= count; }, timeoutMs);
}

QString BoardSim::output() const
{
    return m_lines.join(u'\n') + QString::fromLocal8Bit(m_pending);
}

bool BoardSim::sendAndWait(const QString &command, const QString &replyPrefix)
{
    if (m_process.state() != QProcess::Running) {
        m_error = QStringLiteral("the simulator is not running");
        return false;
    }
    readOutput();
    m_checkedLines = m_lines.size();
    m_process.write((command + u'\n').toLocal8Bit());
    return waitForLine(replyPrefix, kReplyTimeoutMs);
}

bool BoardSim::waitForLine(const QString &prefix, int timeoutMs)
{
    bool found = false;
    waitUntil(
            [&] {
                readOutput();
                for (; m_checkedLines < m_lines.size() && !found; ++m_checkedLines)
                    found = m_lines[m_checkedLines].startsWith(prefix)
                            || m_lines[m_checkedLines].startsWith(u"error:");
                return found || m_process.state() != QProcess::Running;
            },
            timeoutMs, 10);
    const QString last = m_checkedLines > 0 ? m_lines[m_checkedLines - 1] : QString();
    if (found && last.startsWith(prefix))
        return true;
    m_error = QStringLiteral("expected \"%1\" from the simulator, got: %2")
                      .arg(prefix, found ? last : QStringLiteral("nothing"));
    return false;
}

void BoardSim::readOutput()
{
    m_pending += m_process.readAll();
    qsizetype newline;
    while ((newline = m_pending.indexOf('\n')) >= 0) {
        m_lines.append(QString::fromLocal8Bit(m_pending.left(newline)));
        m_pending.remove(0, newline + 1);
    }
}

} // namespace tavex::test
