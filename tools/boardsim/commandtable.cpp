#include "commandtable.h"

namespace tavex::boardsim {

namespace {

struct TableEntry
{
    char byte;
    int relay;
    bool on;
};

// Written out in full on purpose: this is the board's table as documented,
// not derived from any formula the program might share.
constexpr TableEntry commandTable[] = {
    {'1', 1, true},  {'2', 1, false},
    {'3', 2, true},  {'4', 2, false},
    {'5', 3, true},  {'6', 3, false},
    {'7', 4, true},  {'8', 4, false},
    {'A', 5, true},  {'B', 5, false},
    {'C', 6, true},  {'D', 6, false},
    {'E', 7, true},  {'F', 7, false},
    {'G', 8, true},  {'H', 8, false},
};

} // namespace

std::optional<RelayCommand> decodeCommand(unsigned char byte)
{
    for (const TableEntry &entry : commandTable) {
        if (static_cast<unsigned char>(entry.byte) == byte)
            return RelayCommand{entry.relay, entry.on};
    }
    return std::nullopt;
}

} // namespace tavex::boardsim
