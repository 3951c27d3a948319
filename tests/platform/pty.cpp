#include "pty.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace tavex::test {

Pty::Pty()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return;
    const char *name = nullptr;
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0
        || (name = ::ptsname(m_master)) == nullptr) {
        closeMaster();
        return;
    }
    m_slavePath = QString::fromLocal8Bit(name);
}

Pty::~Pty()
{
    closeMaster();
}

bool Pty::lineSettings(termios *settings) const
{
    // Terminal ioctls on the master act on the slave's settings.
    return m_master >= 0 && ::tcgetattr(m_master, settings) == 0;
}

bool Pty::setLineSettings(const termios &settings)
{
    return m_master >= 0 && ::tcsetattr(m_master, TCSANOW, &settings) == 0;
}

QByteArray Pty::read(int firstByteMs, int quietMs)
{
    QByteArray bytes;
    int waitMs = firstByteMs;
    while (m_master >= 0) {
        pollfd fd{m_master, POLLIN, 0};
        const int ready = ::poll(&fd, 1, waitMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || !(fd.revents & POLLIN))
            break;
        char buffer[256];
        const ssize_t got = ::read(m_master, buffer, sizeof buffer);
        if (got <= 0)
            break;
        bytes.append(buffer, got);
        waitMs = quietMs;
    }
    return bytes;
}

void Pty::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

} // namespace tavex::test
