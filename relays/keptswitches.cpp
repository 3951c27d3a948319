#include "relays/keptswitches.h"

namespace tavex {

void KeptSwitches::keep(int relay, Switch direction)
{
    // A relay has at most one kept switch.
    for (qsizetype i = 0; i < m_switches.size(); ++i) {
        if (m_switches[i].relay == relay) {
            m_switches.removeAt(i);
            break;
        }
    }
    m_switches.append({relay, direction});
}

} // namespace tavex
