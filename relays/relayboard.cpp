#include "relays/relayboard.h"

#include "link/link.h"
#include "link/portsearch.h"
#include "platform/clock.h"
#include "relays/relaybank.h"

#include <utility>

namespace tavex {

RelayBoard::RelayBoard(SerialPort &port, Clock &clock, RecordSink record, QObject *parent)
    : QObject(parent),
      m_clock(clock),
      m_record(std::move(record)),
      m_link(new Link(port, this)),
      m_relays(new RelayBank(*m_link, this))
{
    connect(m_link, &Link::portFound, this, &RelayBoard::portFound);
}

void RelayBoard::prepareStartup()
{
    // The start-up's commands switch every relay off on the board, and the next click on any
    // relay switches it on.
    m_relays->markAllOff();
    m_link->setPortaInicial(kConverterFirstPort);
}

bool RelayBoard::search()
{
    return m_link->search();
}

void RelayBoard::useOwnSerialPort(bool own)
{
    m_link->setPortaInicial(own ? kOwnSerialFirstPort : kConverterFirstPort);
}

void RelayBoard::searchAgain()
{
    m_link->closeIfOpen();
    // A port found makes what was kept for the board (portFound).
    m_link->search();
}

bool RelayBoard::switchOffAtStartup(const std::function<void()> &meanwhile)
{
    const int failed = writeSwitchOffs(1, meanwhile);
    if (failed == 0)
        return true;
    if (failed == 1)
        meanwhile();
    // The commands not written are made when the board is found; the message of the
    // start-up tells the loss.
    m_startupOffsOwed = failed;
    m_lossTold = true;
    m_link->setCaption(noPortCaption());
    return false;
}

int RelayBoard::writeSwitchOffs(int first, const std::function<void()> &meanwhile)
{
    for (int n = first; n <= kRelayCount; ++n) {
        if (!m_link->send(n, Switch::Off)) {
            record(n, Switch::Off, SwitchCause::Startup, false);
            return n;
        }
        // Keeps the commands apart, so the board acts on each before the next arrives and the
        // relays do not all switch in the same instant. No event is handled meanwhile. The
        // command's line of the record is made in the pause, and the first pause also runs
        // `meanwhile`, in time the pause would spend waiting.
        m_clock.pause(kSwitchOffPause, [&] {
            record(n, Switch::Off, SwitchCause::Startup, true);
            if (meanwhile && n == first)
                meanwhile();
        });
    }
    return 0;
}

SwitchOutcome RelayBoard::switchByHand(int relay, SwitchCause cause)
{
    // The user takes the relay over from a switch kept for it.
    m_keptSwitches.drop(relay);
    const SwitchOutcome outcome = switchRelay(relay, cause);
    if (outcome == SwitchOutcome::Failed && relay == 1)
        m_link->setCaption(noPortCaption());
    return outcome;
}

SwitchOutcome RelayBoard::timedSwitch(int relay, Switch direction, SwitchCause cause)
{
    // A switch is kept only while the board is gone; a later one replaces it (KeptSwitches).
    switch (timedSwitchAction(m_link->boardKnownGone(), m_relays->releDesligado(relay), direction)) {
    case TimedSwitchAction::Leave:
        return SwitchOutcome::Left;
    case TimedSwitchAction::Keep:
        break;
    case TimedSwitchAction::Make:
        if (switchRelay(relay, cause) == SwitchOutcome::Made)
            return SwitchOutcome::Made;
        if (relay == 1)
            m_link->setCaption(noPortCaption());
        break;
    }
    m_keptSwitches.keep({relay, direction, cause});
    announceLoss();
    return SwitchOutcome::Kept;
}

SwitchOutcome RelayBoard::switchRelay(int relay, SwitchCause cause)
{
    const Switch direction = toggleDirection(m_relays->releDesligado(relay));
    const bool written =
            m_relays->toggle(relay, isTimedRelay(relay) && m_durationTicked[std::size_t(relay - 1)]);
    record(relay, direction, cause, written);
    return written ? SwitchOutcome::Made : SwitchOutcome::Failed;
}

void RelayBoard::record(int relay, Switch direction, SwitchCause cause, bool written)
{
    if (m_record)
        m_record(switchRecordLine(m_clock.now(), relay, m_relays->nomeRele(relay), direction, cause, written));
}

void RelayBoard::portFound()
{
    m_lossTold = false;
    emit boardFound();
    // After a start without the board, board and relays agree once its switch-offs are made.
    if (m_startupOffsOwed != 0) {
        m_startupOffsOwed = writeSwitchOffs(m_startupOffsOwed);
        if (m_startupOffsOwed != 0) {
            announceLoss();
            return;
        }
    }
    if (!makeKeptSwitches())
        announceLoss();
}

bool RelayBoard::makeKeptSwitches()
{
    const QList<KeptSwitch> kept = m_keptSwitches.takeAll();
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const KeptSwitch &made = kept[i];
        if (!switchChangesRelay(m_relays->releDesligado(made.relay), made.direction))
            continue;
        if (switchRelay(made.relay, SwitchCause::Reconnection) == SwitchOutcome::Failed) {
            for (const KeptSwitch &left : kept.mid(i))
                m_keptSwitches.keep(left);
            return false;
        }
    }
    return true;
}

void RelayBoard::announceLoss()
{
    if (!m_lossTold)
        QMetaObject::invokeMethod(this, &RelayBoard::offerLoss, Qt::QueuedConnection);
}

void RelayBoard::offerLoss()
{
    if (!m_lossTold && m_link->boardKnownGone())
        emit lossToTell();
}

bool RelayBoard::reconnect(const std::function<void(const QString &details)> &tell)
{
    // One message and one search per loss told. A search that finds the board makes what
    // was kept for it (portFound).
    m_lossTold = true;
    // The ports tried by the last search, when it found none (a second failed switch).
    tell(m_link->lastSearchProblems());
    // Found while the message was open, which then closed by itself.
    if (!m_link->boardKnownGone())
        return true;
    m_link->closeIfOpen();
    return m_link->search();
}

} // namespace tavex
