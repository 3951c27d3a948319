#pragma once

#include "common/relay.h"
#include "relays/keptswitches.h"
#include "relays/switchrecord.h"

#include <QObject>

#include <array>
#include <chrono>
#include <functional>

namespace tavex {

class Clock;
class Link;
class RelayBank;
class SerialPort;

// What became of a request to switch a relay.
enum class SwitchOutcome {
    Made,   // the command was written
    Failed, // the command could not be written (a click's switch is not kept)
    Kept,   // kept for the board, made when it is found again
    Left,   // the relay is already in that state
};

// The relay board, as the program's one owner of it: the link to it, the relays' state, the
// switches kept for it while it is gone and the record of every command. Every switch, by a
// click, a countdown, a schedule or the start-up, is asked of it and answered with what
// happened; it says when the board was found again and when its loss is to be told to the
// user, who is told by whoever shows messages.
class RelayBoard : public QObject
{
    Q_OBJECT

public:
    // The pause after each switch-off command of the start-up.
    static constexpr std::chrono::milliseconds kSwitchOffPause{30};
    // Takes each line of the record of switches; none: nothing is recorded.
    using RecordSink = std::function<void(const QString &line)>;

    RelayBoard(SerialPort &port, Clock &clock, RecordSink record, QObject *parent = nullptr);

    Link &link() { return *m_link; }
    RelayBank &relays() { return *m_relays; }
    const KeptSwitches &keptSwitches() const { return m_keptSwitches; }

    // Whether relay 1 to 4's duration box is ticked: a switch-on then starts its countdown.
    void setDurationTicked(int relay, bool ticked) { m_durationTicked[std::size_t(relay - 1)] = ticked; }

    // Readies the start-up: every relay counts as off, and the search starts at the
    // converter's ports.
    void prepareStartup();
    // Searches from the first port number, as set.
    bool search();
    // The search moves to the computer's own serial port (from port 1) or back to the
    // converter's (from port 3); searchAgain then closes the port and searches.
    void useOwnSerialPort(bool own);
    void searchAgain();

    // The start-up's switch-off command of every relay, a pause after each. `meanwhile` runs
    // once: in the first pause, or at once when the first command cannot be written. False
    // when one could not be written: the loss counts as told, and the commands not written
    // are owed to the board until it is found.
    bool switchOffAtStartup(const std::function<void()> &meanwhile);

    // A click, or a verb another program sent (SwitchCause::Command): the relay to its other
    // state; a switch kept for it is dropped, since the user has taken it over. Made or Failed;
    // a failure is not kept, it is the user's to repeat.
    SwitchOutcome switchByHand(int relay, SwitchCause cause = SwitchCause::Button);
    // A switch that a countdown or a schedule has to make. It is kept while the board is gone,
    // or when its command cannot be written, and the loss is then announced.
    SwitchOutcome timedSwitch(int relay, Switch direction, SwitchCause cause);
    // A disarmed schedule's kept switch is dropped with it.
    void scheduleDisarmed(int relay) { m_keptSwitches.drop(relay, SwitchCause::Schedule); }

    // The loss of the board is to be told after what runs now, and only when not told yet
    // (lossToTell).
    void announceLoss();
    // Tells the loss through `tell` (with why the last search found no port) and, unless the
    // board was found meanwhile, closes the port and searches again. True when the board is
    // there afterwards.
    bool reconnect(const std::function<void(const QString &details)> &tell);

signals:
    // A search found the board; what was owed to it is made right after.
    void boardFound();
    // The board is gone and the user has not been told yet; emitted after the switch that
    // met it, never from inside it.
    void lossToTell();

private:
    void portFound();
    void offerLoss();
    SwitchOutcome switchRelay(int relay, SwitchCause cause);
    void record(int relay, Switch direction, SwitchCause cause, bool written);
    // Writes the switch-off commands from relay `first` on; the relay whose command could not
    // be written, or 0.
    int writeSwitchOffs(int first, const std::function<void()> &meanwhile = {});
    // Makes the kept switches that would still change their relay; false when one could not
    // be written, which is kept again with those after it.
    bool makeKeptSwitches();

    Clock &m_clock;
    RecordSink m_record;
    Link *m_link;
    RelayBank *m_relays;
    KeptSwitches m_keptSwitches;
    std::array<bool, kTimedRelayCount> m_durationTicked{};
    // Whether the user has been told of the current loss of the board.
    bool m_lossTold = false;
    // The first relay whose start-up switch-off is still owed to the board (0: none).
    int m_startupOffsOwed = 0;
};

} // namespace tavex
