#include "options.h"

#include <string_view>

namespace tavex::boardsim {

namespace {

constexpr const char usage[] = R"(Usage: tavex-boardsim --link PATH [--record FILE]
       tavex-boardsim --help

Stands in for the 8-relay serial board. Opens a pseudo-terminal and puts a
symlink at PATH pointing to its slave device; open PATH as the serial port.
An existing symlink at PATH is replaced, any other file is left alone.

Board commands (one byte each, nothing is sent back):
  relay 1 on '1' off '2'   relay 5 on 'A' off 'B'
  relay 2 on '3' off '4'   relay 6 on 'C' off 'D'
  relay 3 on '5' off '6'   relay 7 on 'E' off 'F'
  relay 4 on '7' off '8'   relay 8 on 'G' off 'H'

Standard output:
  ready PATH -> /dev/pts/N
  <ms> 0x<hex> '<char>' relay <r> <ON|OFF>      for each byte received
  <ms> 0x<hex> ['<char>'] UNKNOWN                for a byte not in the table
  relays: 1=off 2=ON ... 8=off                   after every byte
  ms counts from start-up; every line is flushed at once.

--record FILE  creates or truncates FILE and writes one line per byte:
  <epoch_us> <hex> <cmd> <relay> <ON|OFF|UNKNOWN>
  epoch_us is CLOCK_REALTIME in microseconds, hex two lowercase digits,
  cmd the character or '?' when unknown, relay 0 when unknown.

Commands on standard input, one per line:
  drop             pull the cable: close the pty and remove the link ("dropped")
  restore [PATH2]  plug it back on a fresh pty, at PATH or at PATH2, which
                   becomes the current path ("restored PATH -> /dev/pts/M")
  state            print the relays line
  quit             remove the link and exit
Relay states survive drop/restore. End of standard input is not a quit;
SIGTERM, SIGINT and SIGHUP remove the link and exit 0.
)";

} // namespace

const char *usageText()
{
    return usage;
}

ParseResult parseOptions(int argc, char **argv, Options &options, std::string &error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return ParseResult::Help;

        std::string *target = nullptr;
        if (arg == "--link")
            target = &options.linkPath;
        else if (arg == "--record")
            target = &options.recordPath;
        if (!target) {
            error = "unknown argument: " + std::string(arg);
            return ParseResult::Bad;
        }
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            error = std::string(arg) + " needs a value";
            return ParseResult::Bad;
        }
        *target = argv[++i];
    }
    if (options.linkPath.empty()) {
        error = "--link PATH is required";
        return ParseResult::Bad;
    }
    return ParseResult::Run;
}

} // namespace tavex::boardsim
