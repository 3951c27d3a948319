#include "platform/singleinstance.h"

#include "platform/configdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// A Unix socket of the program's own rather than Qt Network's local socket: Qt Network would
// load Kerberos and proxy libraries into every start for this one connection.

namespace tavex {

namespace {

const QString kSocketName = QStringLiteral("tavex.socket");
const QString kLockName = QStringLiteral("tavex.lock");
// How long a later copy keeps asking a first copy that has its lock but does not listen yet.
constexpr int kAskAttempts = 50;
constexpr useconds_t kAskPauseUs = 10000;

// The socket's address; false when the path does not fit one.
bool addressOf(const QByteArray &path, sockaddr_un &address)
{
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

// Whether `folder` is a directory of the user's own that nobody else may enter (mode 0700).
// With `make`, a missing one is made so, and one of the user's own is closed to others.
bool isPrivateFolder(const QString &folder, bool make)
{
    if (folder.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(folder);
    if (make && QDir().mkpath(QFileInfo(folder).path()))
        ::mkdir(path.constData(), S_IRWXU);
    struct stat info {};
    if (::stat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 07777) == S_IRWXU || (make && ::chmod(path.constData(), S_IRWXU) == 0);
}

// The folders the lock and the socket may be in, in turn: the runtime directory, then one of
// the user's own in the cache folder (made only when it is asked for).
QString folder(int index, const QString &runtime)
{
    if (index == 0)
        return isPrivateFolder(runtime, false) ? runtime : QString();
    const QString own = xdgProgramDir("XDG_CACHE_HOME", u".cache");
    return isPrivateFolder(own, true) ? own : QString();
}
constexpr int kFolderCount = 2;

// The descriptor that holds the program's lock in `folder`, or -1: errno is EWOULDBLOCK when
// another copy holds it.
int takeLock(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(QDir(folder).filePath(kLockName)).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return fd;
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

// Whether the socket may be at `path`: it fits an address, and nothing is there but a socket
// of the user's own (the running copy's, or one a copy left when it was killed).
bool isSocketPlace(const QByteArray &path)
{
    sockaddr_un address;
    struct stat info {};
    if (!addressOf(path, address))
        return false;
    if (::lstat(path.constData(), &info) != 0)
        return errno == ENOENT;
    return S_ISSOCK(info.st_mode) && info.st_uid == ::geteuid();
}

} // namespace

QString SingleInstance::standardName()
{
    // The runtime directory as the XDG rules name it; without one, claim() uses a directory of
    // the user's own.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return QDir::isAbsolutePath(runtime) ? QDir(runtime).filePath(kSocketName) : QString();
}

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0) {
        struct stat info {};
        if (::lstat(m_socketPath.constData(), &info) == 0 && S_ISSOCK(info.st_mode)
            && info.st_ino == m_socketInode)
            ::unlink(m_socketPath.constData());
        ::close(m_fd);
    }
    // The lock goes last: a copy started now finds no socket of this one's to remove.
    if (m_lock >= 0)
        ::close(m_lock);
}

bool SingleInstance::askRunningCopy()
{
    // A connection is the whole request. A listener whose queue is full is running too.
    sockaddr_un address;
    for (int attempt = 0; attempt < kAskAttempts && addressOf(m_socketPath, address); ++attempt) {
        const int fd = newSocket();
        if (fd < 0)
            return false;
        const bool reached = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
                || errno == EAGAIN;
        ::close(fd);
        if (reached)
            return true;
        ::usleep(kAskPauseUs);
    }
    return false;
}

bool SingleInstance::listen()
{
    sockaddr_un address;
    if (!addressOf(m_socketPath, address))
        return false;
    // With the lock held, a socket at the path is one a killed copy left behind.
    ::unlink(address.sun_path);
    const int fd = newSocket();
    struct stat info {};
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::lstat(address.sun_path, &info) != 0 || ::listen(fd, 8) != 0) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    m_fd = fd;
    m_socketInode = info.st_ino;
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

bool SingleInstance::claim()
{
    if (m_lock >= 0)
        return true;
    const QString runtime = m_name.isEmpty() ? QString() : QFileInfo(m_name).path();
    const QString socketName = m_name.isEmpty() ? kSocketName : QFileInfo(m_name).fileName();
    // The lock decides, at once for two copies started together; the socket only carries the
    // request to come to the front.
    bool running = false;
    for (int i = 0; i < kFolderCount && m_lock < 0 && !running; ++i) {
        const QString lockFolder = folder(i, runtime);
        if (!lockFolder.isEmpty()) {
            m_lock = takeLock(lockFolder);
            running = m_lock < 0 && errno == EWOULDBLOCK;
        }
    }
    for (int i = 0; i < kFolderCount && m_socketPath.isEmpty(); ++i) {
        const QString socketFolder = folder(i, runtime);
        const QByteArray path = QFile::encodeName(QDir(socketFolder).filePath(socketName));
        if (!socketFolder.isEmpty() && isSocketPlace(path))
            m_socketPath = path;
    }
    if (running) {
        askRunningCopy();
        return false;
    }
    if (m_lock < 0)
        qWarning("TAVEX: sem pasta para a trava de cópia única; outra cópia pode ser aberta junto.");
    else if (!listen())
        qWarning("TAVEX: sem soquete local; uma segunda cópia não trará esta janela à frente.");
    return true;
}

} // namespace tavex
