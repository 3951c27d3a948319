#include "platform/switchlog.h"

#include "platform/configdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStandardPaths>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavex {

struct SwitchLog::Queue
{
    // Run by the writing thread: every line waiting is written, in turn, until none is left.
    void writeAll();

    QString dir;
    QString file;
    std::mutex mutex;
    // Told when the writing thread has nothing left.
    std::condition_variable idle;
    QList<QByteArray> lines;
    bool writing = false;
};

namespace {

const QString kFileName = QStringLiteral("acionamentos.log");

#ifdef Q_OS_UNIX
// The record at `path` opened for appending when it is a regular file (no link is followed, a
// pipe or a device is refused unwritten, nothing waits for a reader); -1 otherwise.
int openRecord(const QByteArray &path)
{
    const int fd = ::open(path.constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

off_t sizeOf(int fd)
{
    struct stat info {};
    return fd >= 0 && ::fstat(fd, &info) == 0 ? info.st_size : -1;
}

void appendLines(const QString &file, const QList<QByteArray> &lines)
{
    const QByteArray path = QFile::encodeName(file);
    int fd = openRecord(path);
    for (const QByteArray &line : lines) {
        off_t size = sizeOf(fd);
        if (size > 0 && size + line.size() > SwitchLog::kMaxBytes) {
            // A full file is turned into the old one, and the line starts a new file.
            ::close(fd);
            fd = ::rename(path.constData(), (path + ".1").constData()) == 0 ? openRecord(path) : -1;
            size = sizeOf(fd);
        }
        if (size < 0)
            break;
        // One write, so a line is never split by another writer's. What a full disk or a
        // size limit let through of it is cut off again: the next line never continues half
        // of one.
        if (::write(fd, line.constData(), size_t(line.size())) != ssize_t(line.size())
            && ::ftruncate(fd, size) != 0)
            break;
    }
    if (fd >= 0)
        ::close(fd);
}
#else
void appendLines(const QString &file, const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines) {
        if (QFileInfo(file).isFile() && QFileInfo(file).size() + line.size() > SwitchLog::kMaxBytes) {
            QFile::remove(file + QStringLiteral(".1"));
            QFile::rename(file, file + QStringLiteral(".1"));
        }
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Append) || out.isSequential())
            return;
        const qint64 size = out.size();
        if (out.write(line) != line.size() || !out.flush())
            out.resize(size);
    }
}
#endif

} // namespace

void SwitchLog::Queue::writeAll()
{
    std::unique_lock lock(mutex);
    while (!lines.isEmpty()) {
        const QList<QByteArray> taken = std::exchange(lines, {});
        lock.unlock();
        if (QDir().mkpath(dir))
            appendLines(file, taken);
        lock.lock();
    }
    writing = false;
    idle.notify_all();
}

QString SwitchLog::standardDir()
{
#ifdef Q_OS_UNIX
    return xdgProgramDir("XDG_STATE_HOME", u".local/state");
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#endif
}

SwitchLog::SwitchLog(QString dir) : m_dir(std::move(dir)), m_queue(std::make_shared<Queue>())
{
    m_queue->dir = m_dir;
    m_queue->file = path();
}

SwitchLog::~SwitchLog()
{
    std::unique_lock lock(m_queue->mutex);
    m_queue->idle.wait_for(lock, std::chrono::milliseconds(kEndWaitMs), [this] { return !m_queue->writing; });
}

QString SwitchLog::path() const
{
    return m_dir.isEmpty() ? QString() : QDir(m_dir).filePath(kFileName);
}

void SwitchLog::append(const QString &line)
{
    if (m_dir.isEmpty())
        return;
    const QByteArray bytes = (line + u'\n').toUtf8();
    const std::lock_guard lock(m_queue->mutex);
    if (m_queue->lines.size() >= kMaxWaiting)
        return;
    m_queue->lines.append(bytes);
    if (std::exchange(m_queue->writing, true))
        return;
    // A thread for as long as lines wait: the disk may be slow or hang, and the window's
    // thread never waits for it. The thread holds the queue, so it may outlive the record.
    try {
        std::thread([queue = m_queue] { queue->writeAll(); }).detach();
    } catch (const std::system_error &) {
        m_queue->lines.clear();
        m_queue->writing = false;
    }
}

} // namespace tavex
