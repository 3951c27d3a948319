#pragma once

namespace tavex {

// Stamps of the start-up's phases, for the benchmark: when the environment holds
// TAVEX_STARTUP_MARKS, each phase's end is printed on the standard error as
// "tavex-startup: <phase> <microseconds since the epoch>". Otherwise nothing happens.
void markStartup(const char *phase);

} // namespace tavex
