// Loaded into a program under test with LD_PRELOAD: every open() of a path that ends in
// $TAVEX_SLOW_OPEN takes $TAVEX_SLOW_OPEN_MS milliseconds longer, as on slow or hung storage.

#include <dlfcn.h>
#include <fcntl.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

using Open = int (*)(const char *, int, ...);

int slowOpen(const char *symbol, const char *path, int flags, va_list arguments)
{
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? va_arg(arguments, mode_t) : 0;
    const char *slow = std::getenv("TAVEX_SLOW_OPEN");
    const size_t length = std::strlen(path), slowLength = slow ? std::strlen(slow) : 0;
    if (slowLength > 0 && length >= slowLength && std::strcmp(path + length - slowLength, slow) == 0) {
        const long ms = std::atol(std::getenv("TAVEX_SLOW_OPEN_MS") ? std::getenv("TAVEX_SLOW_OPEN_MS") : "0");
        const timespec delay{ms / 1000, ms % 1000 * 1000000};
        nanosleep(&delay, nullptr);
    }
    return reinterpret_cast<Open>(dlsym(RTLD_NEXT, symbol))(path, flags, mode);
}

} // namespace

extern "C" int open(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const int fd = slowOpen("open", path, flags, arguments);
    va_end(arguments);
    return fd;
}

extern "C" int open64(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const int fd = slowOpen("open64", path, flags, arguments);
    va_end(arguments);
    return fd;
}
