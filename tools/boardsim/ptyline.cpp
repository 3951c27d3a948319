#include "ptyline.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace tavex::boardsim {

namespace {

std::string systemError(const std::string &what)
{
    return what + ": " + std::strerror(errno);
}

bool placeLink(const std::string &linkPath, const std::string &target, std::string &error)
{
    struct stat info;
    if (::lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = linkPath + ": exists and is not a symlink, not replacing it";
            return false;
        }
        if (::unlink(linkPath.c_str()) != 0 && errno != ENOENT) {
            error = systemError(linkPath);
            return false;
        }
    } else if (errno != ENOENT) {
        error = systemError(linkPath);
        return false;
    }
    if (::symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = systemError(linkPath);
        return false;
    }
    return true;
}

} // namespace

PtyLine::~PtyLine()
{
    close();
}

bool PtyLine::open(const std::string &linkPath, std::string &error)
{
    close();

    m_masterFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_masterFd < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(m_masterFd) != 0 || ::unlockpt(m_masterFd) != 0) {
        error = systemError("grantpt/unlockpt");
        closeDescriptors();
        return false;
    }
    const char *name = ::ptsname(m_masterFd);
    if (!name) {
        error = systemError("ptsname");
        closeDescriptors();
        return false;
    }
    m_slaveName = name;

    m_slaveFd = ::open(m_slaveName.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slaveFd < 0) {
        error = systemError(m_slaveName);
        closeDescriptors();
        return false;
    }

    // Raw from the start, so nothing is echoed or translated even if the
    // program under test never sets the line up itself.
    struct termios mode;
    if (::tcgetattr(m_slaveFd, &mode) != 0) {
        error = systemError("tcgetattr");
        closeDescriptors();
        return false;
    }
    ::cfmakeraw(&mode);
    if (::tcsetattr(m_slaveFd, TCSANOW, &mode) != 0) {
        error = systemError("tcsetattr");
        closeDescriptors();
        return false;
    }

    const int flags = ::fcntl(m_masterFd, F_GETFL);
    if (flags < 0 || ::fcntl(m_masterFd, F_SETFL, flags | O_NONBLOCK) != 0) {
        error = systemError("fcntl");
        closeDescriptors();
        return false;
    }

    if (!placeLink(linkPath, m_slaveName, error)) {
        closeDescriptors();
        return false;
    }
    m_linkPath = linkPath;
    return true;
}

void PtyLine::close()
{
    if (!isOpen())
        return;
    removeLink();
    closeDescriptors();
}

void PtyLine::closeDescriptors()
{
    // The master first: that is what hangs up the program's descriptor.
    if (m_masterFd >= 0)
        ::close(m_masterFd);
    if (m_slaveFd >= 0)
        ::close(m_slaveFd);
    m_masterFd = -1;
    m_slaveFd = -1;
    m_slaveName.clear();
    m_linkPath.clear();
}

void PtyLine::removeLink()
{
    if (m_linkPath.empty())
        return;
    // Only our own link: someone may have put something else there since.
    char target[256];
    const ssize_t n = ::readlink(m_linkPath.c_str(), target, sizeof target - 1);
    if (n < 0)
        return;
    target[n] = '\0';
    if (m_slaveName == target)
        ::unlink(m_linkPath.c_str());
}

} // namespace tavex::boardsim
