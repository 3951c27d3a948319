#include "platform/startupmarks.h"

#include <QtGlobal>

#include <chrono>
#include <cstdio>

namespace tavex {

void markStartup(const char *phase)
{
    static const bool wanted = qEnvironmentVariableIsSet("TAVEX_STARTUP_MARKS");
    if (!wanted)
        return;
    using namespace std::chrono;
    const auto us = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    std::fprintf(stderr, "tavex-startup: %s %lld\n", phase, static_cast<long long>(us));
}

} // namespace tavex
