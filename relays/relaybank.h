#pragma once

#include "common/relay.h"

#include <QObject>
#include <QString>

#include <array>

namespace tavex {

class Countdown;
class Link;

// The eight relays as the program knows them: the board answers nothing, so the off flag kept
// here is the only record of a relay's state. Each relay also has a name and its button's
// caption; relays 1 to 4 have a countdown that a switch-on may start and every switch-off
// stops.
class RelayBank : public QObject
{
    Q_OBJECT

public:
    explicit RelayBank(Link &link, QObject *parent = nullptr);

    bool releDesligado(int relay) const { return at(relay).off; }
    const QString &nomeRele(int relay) const { return at(relay).name; }
    void setNomeRele(int relay, const QString &name) { at(relay).name = name; }
    const QString &caption(int relay) const { return at(relay).caption; }
    void setCaption(int relay, const QString &caption);

    // The countdown of relay 1 to 4.
    Countdown &countdown(int relay);

    // Every relay counts as off from now on: its next switch is a switch-on.
    void markAllOff();

    // Switches the relay to the state opposite its off flag: caption, command, flag and, for
    // relays 1 to 4, the countdown (started by a switch-on while `durationTicked`, stopped and
    // cleared by a switch-off). When the command cannot be written, caption, flag and countdown
    // are all left as they were and false is returned; the same switch can then be tried again.
    bool toggle(int relay, bool durationTicked);

signals:
    void captionChanged(int relay, const QString &caption);
    // The relay's off flag has changed.
    void stateChanged(int relay);

private:
    struct Relay
    {
        bool off = true;
        QString name;
        QString caption;
    };

    Relay &at(int relay) { return m_relays[relay - 1]; }
    const Relay &at(int relay) const { return m_relays[relay - 1]; }

    Link &m_link;
    std::array<Relay, kRelayCount> m_relays;
    std::array<Countdown *, kTimedRelayCount> m_countdowns{};
};

} // namespace tavex
