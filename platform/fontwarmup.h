#pragma once

#include <thread>

namespace tavex {

// Reads the system's font configuration on a thread of its own while the program makes its
// application object, which needs no font. On Linux the window's first text would otherwise
// have fontconfig parse its configuration files first, several milliseconds on the start's
// path. Elsewhere it does nothing.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp() { finish(); }
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Waits until the configuration is read: called before anything asks for a font, which
    // would otherwise read it a second time meanwhile.
    void finish();

private:
    std::thread m_thread;
};

} // namespace tavex
