#pragma once

#include "common/relay.h"

#include <array>

namespace tavex {

// The board's command set: one ASCII character per relay and direction, written by itself.
// The switch-on character of each relay is the first of its pair, the switch-off the second.
inline constexpr std::array<std::array<char, 2>, kRelayCount> kRelayCommands{{
    {'1', '2'},
    {'3', '4'},
    {'5', '6'},
    {'7', '8'},
    {'A', 'B'},
    {'C', 'D'},
    {'E', 'F'},
    {'G', 'H'},
}};

// The command that switches relay n (1 to 8).
constexpr char relayCommand(int relay, Switch direction)
{
    return kRelayCommands[relay - 1][direction == Switch::On ? 0 : 1];
}

} // namespace tavex
