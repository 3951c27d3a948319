#include "platform/fontwarmup.h"

#include <QtGlobal>

#include <system_error>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#endif

namespace tavex {

FontWarmUp::FontWarmUp()
{
#ifdef Q_OS_LINUX
    // Qt's Gui library brings fontconfig. Its FcInit is looked up rather than linked, so the
    // build needs no fontconfig of its own and a Qt without it makes this do nothing.
    // FcInit may run on any thread; a second caller finds the configuration read.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(::dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init)
        return;
    try {
        m_thread = std::thread(init);
    } catch (const std::system_error &) {
        // Without a thread the first text reads it, as it would anyway.
    }
#endif
}

void FontWarmUp::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace tavex
