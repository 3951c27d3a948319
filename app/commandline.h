#pragma once

namespace tavex {

// The program started with arguments: a command line for the running TAVEX. It builds no
// window, opens no port and no data file: it hands the request over, prints the answer and
// returns the exit status (commands/reply.h).
int runCommandLine(int argc, char *argv[]);

} // namespace tavex
