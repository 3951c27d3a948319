#include "platform/console.h"

#ifdef Q_OS_WIN
#include <cstdio>

#include <windows.h>
#endif

namespace tavex {

void useCallerConsole()
{
#ifdef Q_OS_WIN
    // Output already redirected (to a file or a pipe) is kept as it is.
    const auto unredirected = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    if ((unredirected(STD_OUTPUT_HANDLE) || unredirected(STD_ERROR_HANDLE))
        && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (unredirected(STD_OUTPUT_HANDLE))
            (void)std::freopen("CONOUT$", "w", stdout);
        if (unredirected(STD_ERROR_HANDLE))
            (void)std::freopen("CONOUT$", "w", stderr);
        // What is printed is UTF-8.
        SetConsoleOutputCP(CP_UTF8);
    }
#endif
}

} // namespace tavex
