#pragma once

#include <string>

namespace tavex::boardsim {

struct Options
{
    std::string linkPath;
    std::string recordPath; // empty: no record file
};

enum class ParseResult { Run, Help, Bad };

ParseResult parseOptions(int argc, char **argv, Options &options, std::string &error);

// The --help text, also printed (to stderr) after bad arguments.
const char *usageText();

} // namespace tavex::boardsim
