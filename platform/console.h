#pragma once

namespace tavex {

// Lets a command line print where it was typed. A windowed program on Windows starts without
// a console: it takes over the console of the shell that started it, when there is one.
// Elsewhere there is nothing to do.
void useCallerConsole();

} // namespace tavex
