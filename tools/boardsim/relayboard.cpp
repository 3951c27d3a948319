#include "relayboard.h"

namespace tavex::boardsim {

void RelayBoard::apply(const RelayCommand &command)
{
    if (command.relay >= 1 && command.relay <= relayCount)
        m_on[command.relay - 1] = command.on;
}

bool RelayBoard::isOn(int relay) const
{
    return relay >= 1 && relay <= relayCount && m_on[relay - 1];
}

std::string RelayBoard::stateLine() const
{
    std::string line = "relays:";
    for (int relay = 1; relay <= relayCount; ++relay) {
        line += ' ';
        line += std::to_string(relay);
        line += isOn(relay) ? "=ON" : "=off";
    }
    return line;
}

} // namespace tavex::boardsim
