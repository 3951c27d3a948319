#include "relays/relaybank.h"

#include "link/link.h"
#include "relays/captions.h"
#include "timed/countdown.h"

#include <utility>

namespace tavex {

RelayBank::RelayBank(Link &link, QObject *parent) : QObject(parent), m_link(link)
{
    for (int n = 1; n <= kRelayCount; ++n) {
        at(n).name = defaultRelayName(n);
        at(n).caption = designCaption(n);
    }
    for (int n = 1; n <= kTimedRelayCount; ++n)
        m_countdowns[n - 1] = new Countdown(n, this);
}

void RelayBank::setCaption(int relay, const QString &caption)
{
    if (at(relay).caption == caption)
        return;
    at(relay).caption = caption;
    emit captionChanged(relay, caption);
}

Countdown &RelayBank::countdown(int relay)
{
    return *m_countdowns[relay - 1];
}

void RelayBank::markAllOff()
{
    for (int n = 1; n <= kRelayCount; ++n) {
        if (!std::exchange(at(n).off, true))
            emit stateChanged(n);
    }
}

bool RelayBank::toggle(int relay, bool durationTicked)
{
    Relay &r = at(relay);
    const Switch direction = r.off ? Switch::On : Switch::Off;
    Countdown *countdown = isTimedRelay(relay) ? m_countdowns[relay - 1] : nullptr;

    // What a failed write puts back.
    const QString captionBefore = r.caption;
    const bool countingBefore = countdown && countdown->isRunning();

    if (direction == Switch::On && countdown && durationTicked)
        countdown->start();
    setCaption(relay, switchedCaption(r.name, direction));

    if (!m_link.send(relay, direction)) {
        if (countdown && !countingBefore)
            countdown->stop();
        setCaption(relay, captionBefore);
        return false;
    }

    r.off = direction == Switch::Off;
    emit stateChanged(relay);
    if (direction == Switch::Off && countdown) {
        countdown->stop();
        countdown->setTempoDecorrido(0);
    }
    return true;
}

} // namespace tavex
