#pragma once

#include <optional>

namespace tavex::boardsim {

// What one byte on the line asks the board to do.
struct RelayCommand
{
    int relay = 0; // 1..8
    bool on = false;
};

// Decodes one byte as the board does; nullopt for a byte the board ignores,
// which for us means the program under test sent something wrong.
std::optional<RelayCommand> decodeCommand(unsigned char byte);

} // namespace tavex::boardsim
