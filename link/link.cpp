#include "link/link.h"

#include "link/commands.h"
#include "link/portsearch.h"
#include "platform/serialport.h"

namespace tavex {

Link::Link(SerialPort &port, QObject *parent) : QObject(parent), m_port(port)
{
    m_watch.setObjectName(QStringLiteral("watch"));
    m_watch.setInterval(kWatchInterval);
    connect(&m_watch, &QTimer::timeout, this, &Link::watchTick);
}

void Link::setBoardGone(bool gone)
{
    if (gone == m_boardGone)
        return;
    m_boardGone = gone;
    m_presentBefore.clear();
    if (gone)
        m_watch.start();
    else
        m_watch.stop();
}

void Link::watchTick()
{
    QList<int> present = presentPorts(m_port, m_portaInicial);
    const bool appeared = portAppeared(m_presentBefore, present);
    m_presentBefore = std::move(present);
    if (appeared)
        search();
}

void Link::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit captionChanged(m_caption);
}

bool Link::search()
{
    m_failedAttempts.clear();
    const auto found = searchPort(m_port, m_portaInicial, &m_failedAttempts);
    if (found)
        m_failedAttempts.clear();
    // A search without a result says so, rather than leave the name of a closed port.
    setCaption(found ? portCaption(*found) : noPortCaption());
    if (found) {
        setBoardGone(false);
        emit portFound(*found);
    }
    return found.has_value();
}

QString Link::lastSearchProblems() const
{
    return m_failedAttempts.isEmpty() ? QString() : failedAttemptsText(m_failedAttempts);
}

bool Link::hasPort() const
{
    return !m_boardGone && m_port.isOpen();
}

void Link::closeIfOpen()
{
    if (m_port.isOpen())
        m_port.close();
}

bool Link::send(int relay, Switch direction)
{
    Q_ASSERT(isRelayNumber(relay));
    const bool written = m_port.write(QByteArray(1, relayCommand(relay, direction)));
    if (!written)
        setBoardGone(true);
    return written;
}

} // namespace tavex
