#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "commandtable.h"

namespace tavex::boardsim {

// Console line for one received byte:
//   "<ms> 0x<hex> '<char>' relay <r> <ON|OFF>"
//   "<ms> 0x<hex> ['<char>' ]UNKNOWN"   (char only when printable)
// ms is the time since the simulator started, with three decimals.
std::string formatConsoleLine(double elapsedMs, unsigned char byte,
                              const std::optional<RelayCommand> &command);

// Record file line for one received byte:
//   "<epoch_us> <hex> <cmd> <relay> <ON|OFF|UNKNOWN>"
// cmd is '?' for an unknown or unprintable byte, relay is 0 when unknown.
std::string formatRecordLine(std::int64_t epochUs, unsigned char byte,
                             const std::optional<RelayCommand> &command);

} // namespace tavex::boardsim
