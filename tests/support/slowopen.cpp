// Loaded into a program under test with LD_PRELOAD: every open() of a path that ends in
// $TAVEX_SLOW_OPEN takes $TAVEX_SLOW_OPEN_MS milliseconds longer, as on slow or hung storage.

#include <dlfcn.h>
#include <fcntl.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

extern "C" int open(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    const char *slow = std::getenv("TAVEX_SLOW_OPEN"), *ms = std::getenv("TAVEX_SLOW_OPEN_MS");
    const size_t length = std::strlen(path), slowLength = slow && ms ? std::strlen(slow) : 0;
    if (slowLength > 0 && length >= slowLength && std::strcmp(path + length - slowLength, slow) == 0)
        ::usleep(useconds_t(std::atol(ms)) * 1000);
    return reinterpret_cast<int (*)(const char *, int, ...)>(dlsym(RTLD_NEXT, "open"))(path, flags, mode);
}
