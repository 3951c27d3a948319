#include "platform/switchlog.h"

#include "platform/configdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavex {

namespace {

const QString kFileName = QStringLiteral("acionamentos.log");

#ifdef Q_OS_UNIX
// Appends to the file at `path` when it is a regular file of the program's own (no link is
// followed, a pipe or a device is refused unwritten, nothing waits). Gives the file's size
// before the write, or -1 when nothing was written.
qint64 appendTo(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    struct Closer { int fd; ~Closer() { ::close(fd); } } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    if (info.st_size + bytes.size() > SwitchLog::kMaxBytes && info.st_size > 0)
        return info.st_size;
    // One write: a line is never split by another writer's.
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != ssize_t(bytes.size()))
        return -1;
    return 0;
}
#endif

} // namespace

QString SwitchLog::standardDir()
{
#ifdef Q_OS_UNIX
    return xdgProgramDir("XDG_STATE_HOME", u".local/state");
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#endif
}

QString SwitchLog::path() const
{
    return m_dir.isEmpty() ? QString() : QDir(m_dir).filePath(kFileName);
}

void SwitchLog::append(const QString &line)
{
    if (m_dir.isEmpty() || !QDir().mkpath(m_dir))
        return;
    const QString file = path();
    const QByteArray bytes = (line + u'\n').toUtf8();
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(file);
    // A full file is turned into the old one, and the line starts a new file.
    if (appendTo(name, bytes) > 0 && ::rename(name.constData(), QFile::encodeName(file + QStringLiteral(".1")).constData()) == 0)
        appendTo(name, bytes);
#else
    QFile out(file);
    if (QFileInfo(file).isFile() && QFileInfo(file).size() + bytes.size() > kMaxBytes) {
        QFile::remove(file + QStringLiteral(".1"));
        QFile::rename(file, file + QStringLiteral(".1"));
    }
    if (out.open(QIODevice::WriteOnly | QIODevice::Append) && !out.isSequential())
        out.write(bytes);
#endif
}

} // namespace tavex
