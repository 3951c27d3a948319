#pragma once

#include <array>
#include <string>

#include "commandtable.h"

namespace tavex::boardsim {

// The eight relay coils. They keep their state while the line is cut,
// since the board itself stays powered.
class RelayBoard
{
public:
    static constexpr int relayCount = 8;

    void apply(const RelayCommand &command);
    bool isOn(int relay) const;

    // "relays: 1=off 2=ON 3=off ..." for all eight.
    std::string stateLine() const;

private:
    std::array<bool, relayCount> m_on{};
};

} // namespace tavex::boardsim
