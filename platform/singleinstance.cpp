#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// A Unix socket of the program's own rather than Qt Network's local socket: Qt Network would
// load Kerberos and proxy libraries into every start for this one connection.

namespace tavex {

namespace {

// The socket's address; false when the path does not fit one.
bool addressOf(const QString &name, sockaddr_un &address)
{
    const QByteArray path = QFile::encodeName(name);
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

int newSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

} // namespace

QString SingleInstance::standardName()
{
    // $XDG_RUNTIME_DIR, or a directory of the user's own that Qt makes when it is not set.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : QDir(runtime).filePath(QStringLiteral("tavex.socket"));
}

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{
}

SingleInstance::~SingleInstance()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    ::unlink(QFile::encodeName(m_name).constData());
}

bool SingleInstance::askRunningCopy()
{
    sockaddr_un address;
    const int fd = addressOf(m_name, address) ? newSocket() : -1;
    if (fd < 0)
        return false;
    // A connection is the whole request. A listener whose queue is full is running too.
    const bool reached = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
            || errno == EAGAIN;
    ::close(fd);
    return reached;
}

bool SingleInstance::claim()
{
    sockaddr_un address;
    if (m_fd >= 0 || !addressOf(m_name, address))
        return true;
    if (askRunningCopy())
        return false;
    const int fd = newSocket();
    if (fd < 0)
        return true;
    const auto bound = [&] {
        return ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    };
    bool listening = bound();
    if (!listening && errno == EADDRINUSE) {
        // Nobody answered, so the socket is one left behind (or another copy is starting at
        // this very moment: it is asked once more before the socket is taken over).
        if (askRunningCopy()) {
            ::close(fd);
            return false;
        }
        ::unlink(address.sun_path);
        listening = bound();
    }
    // Only the user may ask; when no socket can be had the program runs all the same.
    if (!listening || ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return true;
    }
    m_fd = fd;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        bool asked = false;
        for (int caller; (caller = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; asked = true)
            ::close(caller);
        if (asked)
            emit raiseRequested();
    });
    return true;
}

} // namespace tavex
