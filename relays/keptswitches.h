#pragma once

#include "common/relay.h"
#include "relays/switchrecord.h"

#include <QList>

#include <utility>

namespace tavex {

// The direction in which a relay's toggle switches it: on when it is off, off when it is on.
constexpr Switch toggleDirection(bool relayOff)
{
    return relayOff ? Switch::On : Switch::Off;
}

// Whether a switch in `direction` would change the relay: a relay already in that state is
// left alone, so a countdown or a schedule never switches against its own word.
constexpr bool switchChangesRelay(bool relayOff, Switch direction)
{
    return relayOff == (direction == Switch::On);
}

// What becomes of a switch that a countdown or a schedule has to make: while the board is
// known to be gone it is kept, not tried; a relay already in that state is left; otherwise
// it is made (and kept when its command cannot be written).
enum class TimedSwitchAction { Make, Keep, Leave };

constexpr TimedSwitchAction timedSwitchAction(bool boardGone, bool relayOff, Switch direction)
{
    if (boardGone)
        return TimedSwitchAction::Keep;
    return switchChangesRelay(relayOff, direction) ? TimedSwitchAction::Make
                                                   : TimedSwitchAction::Leave;
}

// A kept switch belongs to what made it (a countdown or a schedule): disarming the schedule
// drops the schedule's; a click on the relay drops any, since the user has taken it over.
struct KeptSwitch
{
    int relay = 0;
    Switch direction = Switch::Off;
    SwitchCause cause = SwitchCause::Countdown;
    friend bool operator==(const KeptSwitch &, const KeptSwitch &) = default;
};

// The switches that countdowns and schedules had to make while the board was gone, waiting
// for the board to be found again. A relay has at most one: the later switch replaces the
// earlier, since it is the state the relay should now be in.
class KeptSwitches
{
public:
    void keep(const KeptSwitch &kept);
    // Drops the relay's kept switch, or only one that `cause` made.
    void drop(int relay);
    void drop(int relay, SwitchCause cause);
    bool isEmpty() const { return m_switches.isEmpty(); }
    // In the order in which they fell due, the replaced ones in the place of their last.
    const QList<KeptSwitch> &switches() const { return m_switches; }
    // Gives every kept switch away, to be made now.
    QList<KeptSwitch> takeAll() { return std::exchange(m_switches, {}); }

private:
    QList<KeptSwitch> m_switches;
};

} // namespace tavex
