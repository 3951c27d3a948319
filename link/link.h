#pragma once

#include "common/relay.h"
#include "link/portsearch.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

namespace tavex {

class SerialPort;

// The program's one link to the board: the port, the first number of every search and the
// text of the port label that the search keeps up to date.
//
// While the board is known to be gone, the link watches for it: every two seconds it looks
// at which of the ports a search would try are there, opening none, and searches when one
// has appeared since the look before (at the first look after the loss, any port there).
// Nothing is watched while the board is there.
class Link : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kWatchInterval{2000};

    explicit Link(SerialPort &port, QObject *parent = nullptr);

    int portaInicial() const { return m_portaInicial; }
    void setPortaInicial(int first) { m_portaInicial = first; }

    // The text of the port label: "?" until the first search, then the port found or
    // "Nenhuma".
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Searches from portaInicial to the last port number. True when a port opened.
    bool search();
    void closeIfOpen();

    // Why the last search found no port (empty after a search that found one).
    QString lastSearchProblems() const;

    // Writes the command that switches the relay; false when it did not reach the port.
    bool send(int relay, Switch direction);

    // Whether the board is known to be gone: from a command that could not be written until
    // a search finds a port.
    bool boardKnownGone() const { return m_boardGone; }
    bool isWatching() const { return m_watch.isActive(); }
    // Whether a port is open and the board not known to be gone: the caption names it.
    bool hasPort() const;

signals:
    void captionChanged(const QString &caption);
    void portFound(int number);

private:
    void setBoardGone(bool gone);
    void watchTick();

    SerialPort &m_port;
    // Named "watch", a child of the link.
    QTimer m_watch{this};
    QList<int> m_presentBefore;
    int m_portaInicial = 3;
    QList<PortAttempt> m_failedAttempts;
    QString m_caption = QStringLiteral("?");
    bool m_boardGone = false;
};

} // namespace tavex
