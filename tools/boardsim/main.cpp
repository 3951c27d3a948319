// tavex-boardsim: the relay board on a pseudo-terminal. See --help.

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/signalfd.h>

#include "options.h"
#include "recordwriter.h"
#include "simulator.h"

using namespace tavex::boardsim;

namespace {

// Termination signals arrive through a descriptor in the poll loop, so the
// link is always removed on the way out.
int openSignalFd()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        return -1;
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    std::string error;
    switch (parseOptions(argc, argv, options, error)) {
    case ParseResult::Help:
        std::fputs(usageText(), stdout);
        return 0;
    case ParseResult::Bad:
        std::fprintf(stderr, "tavex-boardsim: %s\n\n%s", error.c_str(), usageText());
        return 2;
    case ParseResult::Run:
        break;
    }

    // A test that stops reading our output must not kill the board.
    std::signal(SIGPIPE, SIG_IGN);

    const int signalFd = openSignalFd();
    if (signalFd < 0) {
        std::perror("tavex-boardsim: signalfd");
        return 1;
    }

    RecordWriter record;
    if (!options.recordPath.empty() && !record.open(options.recordPath, error)) {
        std::fprintf(stderr, "tavex-boardsim: %s\n", error.c_str());
        return 1;
    }

    Simulator simulator(record, signalFd);
    if (!simulator.start(options.linkPath, error)) {
        std::fprintf(stderr, "tavex-boardsim: %s\n", error.c_str());
        return 1;
    }
    return simulator.run();
}
