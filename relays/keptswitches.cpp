#include "relays/keptswitches.h"

namespace tavex {

void KeptSwitches::keep(const KeptSwitch &kept)
{
    // A relay has at most one kept switch.
    drop(kept.relay);
    m_switches.append(kept);
}

void KeptSwitches::drop(int relay)
{
    m_switches.removeIf([relay](const KeptSwitch &kept) { return kept.relay == relay; });
}

void KeptSwitches::drop(int relay, SwitchCause cause)
{
    m_switches.removeIf([&](const KeptSwitch &kept) { return kept.relay == relay && kept.cause == cause; });
}

} // namespace tavex
