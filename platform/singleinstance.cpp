#include "platform/singleinstance.h"

#include "commands/reply.h"
#include "platform/configdir.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
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
// The pause between two attempts to reach a copy that has its lock but does not listen yet.
constexpr useconds_t kAskPauseUs = 10000;
// The most an answer may hold.
constexpr qsizetype kMaxReplyBytes = 1 << 16;
// How many times a start tries the lock again after finding it taken with nobody listening.
constexpr int kClaimRounds = 16;

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
QString folder(int index, const QString &runtime, bool make = true)
{
    if (index == 0)
        return isPrivateFolder(runtime, false) ? runtime : QString();
    const QString own = xdgProgramDir("XDG_CACHE_HOME", u".cache");
    return isPrivateFolder(own, make) ? own : QString();
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

// Whether a copy holds the lock in one of the folders. A shared lock tells without making or
// changing the file; a copy starting at this instant finds it taken and asks again.
bool lockHeld(const QString &runtime)
{
    for (int i = 0; i < kFolderCount; ++i) {
        const QString lockFolder = folder(i, runtime, false);
        if (lockFolder.isEmpty())
            continue;
        const int fd = ::open(QFile::encodeName(QDir(lockFolder).filePath(kLockName)).constData(),
                              O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        if (held)
            return true;
    }
    return false;
}

// A connection to the socket at `path`, or -1.
int connectTo(const QByteArray &path)
{
    sockaddr_un address;
    if (!addressOf(path, address))
        return -1;
    const int fd = newSocket();
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// Whether `events` came on `fd` before the deadline.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    pollfd watched{fd, events, 0};
    int ready;
    do
        ready = ::poll(&watched, 1, int(deadline.remainingTime()));
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

// Sends the request on the connection and reads the answer to its end.
SingleInstance::Answer exchange(int fd, const QByteArray &request, SingleInstance::Wait wait)
{
    const QDeadlineTimer deadline(kAnswerTime);
    SingleInstance::Answer answer{SingleInstance::Outcome::NoAnswer, {}};
    for (qsizetype sent = 0; sent < request.size();) {
        const ssize_t n = ::send(fd, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (!(n < 0 && (errno == EAGAIN || errno == EINTR) && waitFor(fd, POLLOUT, deadline)))
            return answer;
    }
    if (wait == SingleInstance::Wait::ForDelivery)
        return {SingleInstance::Outcome::Answered, {}};
    char buffer[4096];
    while (answer.reply.size() <= kMaxReplyBytes) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            answer.reply.append(buffer, n);
        } else if (n == 0) {
            if (!answer.reply.isEmpty())
                answer.outcome = SingleInstance::Outcome::Answered;
            break;
        } else if (!((errno == EAGAIN || errno == EINTR) && waitFor(fd, POLLIN, deadline))) {
            break;
        }
    }
    return answer;
}

// One peer of the socket: its request is collected as it arrives, within its bounds of size
// and time, then answered; the connection then closes.
class Peer final : public QObject
{
public:
    using Serve = std::function<QByteArray(QByteArrayView line)>;

    Peer(int fd, Serve serve, QObject *parent) : QObject(parent), m_fd(fd), m_serve(std::move(serve))
    {
        m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &Peer::read);
        QTimer::singleShot(kRequestTime, this, &Peer::end);
    }
    ~Peer() override { ::close(m_fd); }

private:
    void read()
    {
        char buffer[kMaxRequestBytes + 1];
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // A peer that goes away without a word asks for the window.
        if (n == 0 && m_frame.line().isEmpty())
            m_serve(kShowRequest);
        if (n <= 0 || m_frame.add(QByteArrayView(buffer, n)) == RequestFrame::State::TooLong)
            return end();
        if (m_frame.state() != RequestFrame::State::Complete)
            return;
        // The answer fits the socket's buffer; a peer that reads nothing loses it.
        const QByteArray reply = m_serve(m_frame.line());
        if (!reply.isEmpty())
            (void)::send(m_fd, reply.constData(), size_t(reply.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        end();
    }
    void end()
    {
        if (m_ended)
            return;
        m_ended = true;
        m_notifier->setEnabled(false);
        ::shutdown(m_fd, SHUT_RDWR);
        deleteLater();
    }

    int m_fd;
    QSocketNotifier *m_notifier;
    Serve m_serve;
    RequestFrame m_frame;
    bool m_ended = false;
};

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
    // The runtime directory as the XDG rules name it. A session without the variable (a cron
    // job) still finds the one the desktop session has, where the system makes it; without
    // either, claim() uses a directory of the user's own.
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!QDir::isAbsolutePath(runtime)) {
        runtime = QStringLiteral("/run/user/") + QString::number(::geteuid());
        if (!QFileInfo(runtime).isDir())
            return QString();
    }
    return QDir(runtime).filePath(kSocketName);
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

SingleInstance::Answer SingleInstance::ask(const QString &name, const QByteArray &request, Wait wait)
{
    const QString runtime = name.isEmpty() ? QString() : QFileInfo(name).path();
    const QString socketName = name.isEmpty() ? kSocketName : QFileInfo(name).fileName();
    // A copy that holds the lock but does not listen yet is starting: it is tried again.
    const QDeadlineTimer deadline(kReachTime);
    do {
        for (int i = 0; i < kFolderCount; ++i) {
            const QString socketFolder = folder(i, runtime, false);
            const int fd = socketFolder.isEmpty()
                    ? -1 : connectTo(QFile::encodeName(QDir(socketFolder).filePath(socketName)));
            if (fd >= 0) {
                const Answer answer = exchange(fd, request, wait);
                ::close(fd);
                return answer;
            }
        }
        if (!lockHeld(runtime))
            return {Outcome::NotRunning, {}};
        ::usleep(kAskPauseUs);
    } while (!deadline.hasExpired());
    return {Outcome::NoAnswer, {}};
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
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::acceptPeers);
    return true;
}

void SingleInstance::acceptPeers()
{
    for (int peer; (peer = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;) {
        if (m_peerCount >= kMaxPeers) {
            ::close(peer);
            continue;
        }
        ++m_peerCount;
        auto *served = new Peer(peer, [this](QByteArrayView line) {
            return m_handler ? m_handler(line) : QByteArray();
        }, this);
        connect(served, &QObject::destroyed, this, [this] { --m_peerCount; });
    }
}

bool SingleInstance::claim()
{
    if (m_lock >= 0)
        return true;
    const QString runtime = m_name.isEmpty() ? QString() : QFileInfo(m_name).path();
    const QString socketName = m_name.isEmpty() ? kSocketName : QFileInfo(m_name).fileName();
    // The lock decides, at once for two copies started together; the socket carries the
    // request to show the window. A lock found taken may be a command line's look at it: then
    // the running copy is not found, and the lock is tried again.
    for (int round = 0; round < kClaimRounds; ++round) {
        bool running = false;
        for (int i = 0; i < kFolderCount && m_lock < 0 && !running; ++i) {
            const QString lockFolder = folder(i, runtime);
            if (!lockFolder.isEmpty()) {
                m_lock = takeLock(lockFolder);
                running = m_lock < 0 && errno == EWOULDBLOCK;
            }
        }
        if (!running)
            break;
        if (ask(m_name, {}, Wait::ForDelivery).outcome != Outcome::NotRunning)
            return false;
    }
    for (int i = 0; i < kFolderCount && m_socketPath.isEmpty(); ++i) {
        const QString socketFolder = folder(i, runtime);
        const QByteArray path = QFile::encodeName(QDir(socketFolder).filePath(socketName));
        if (!socketFolder.isEmpty() && isSocketPlace(path))
            m_socketPath = path;
    }
    if (m_lock < 0)
        qWarning("TAVEX: sem pasta para a trava de cópia única; outra cópia pode ser aberta junto.");
    else if (!listen())
        qWarning("TAVEX: sem soquete local; uma segunda cópia não trará esta janela à frente, nem os comandos chegarão.");
    return true;
}

} // namespace tavex
