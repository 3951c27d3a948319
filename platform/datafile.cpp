#include "platform/datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavex {

namespace {

// Whether `suffix` may be what QSaveFile put in place of the six X of "<name>.XXXXXX":
// random letters of either case. A name a person gives a copy (a word in lower case, in
// upper case or capitalised, or with a digit in it) is never taken for one; a leftover that
// happens to look like such a word is left behind.
bool isTemporarySuffix(QStringView suffix)
{
    const auto all = [](QStringView text, bool (*test)(QChar)) {
        return std::all_of(text.begin(), text.end(), [test](QChar c) { return test(c); });
    };
    const auto isLetter = [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    const auto isLower = [](QChar c) { return c >= u'a' && c <= u'z'; };
    const auto isUpper = [](QChar c) { return c >= u'A' && c <= u'Z'; };
    return suffix.size() == 6 && all(suffix, isLetter) && !all(suffix.sliced(1), isLower)
            && !all(suffix, isUpper);
}

// Whether what was written has reached the disk. A file system that fills up may take the
// writes and only refuse the blocks when they are synced.
bool syncToDisk([[maybe_unused]] QSaveFile &file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) == 0)
        return true;
    // A file system that cannot sync has nothing left to refuse.
    return errno == EINVAL || errno == EROFS || errno == ENOTSUP;
#else
    // QSaveFile's commit flushes the file's buffers to the disk.
    return true;
#endif
}

} // namespace

std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxBytes)
{
#ifdef Q_OS_UNIX
    // Opened without blocking, so a pipe in the file's place cannot hold the program; the
    // kind and size are then checked on what was opened, not on the name.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct Closer { int fd; ~Closer() { ::close(fd); } } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes)
        return std::nullopt;
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential() || file.size() > maxBytes)
        return std::nullopt;
    return file.read(maxBytes);
#endif
}

bool replaceFile(const QString &path, const QByteArray &contents)
{
    // Only a regular file is replaced, or the regular file a link leads to. A device, a pipe
    // or a directory in its place is left alone, and so is a link that leads nowhere: the
    // new file would take the place of what the link names.
    const QFileInfo existing(path);
    if ((existing.exists() || existing.isSymLink()) && !existing.isFile())
        return false;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // write() only fills the buffer: a full disk or a size limit shows at the flush or the
    // sync, and then the old file must stay. (QSaveFile would commit after a failed flush.)
    if (file.write(contents) != contents.size() || !file.flush() || !syncToDisk(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void removeReplaceLeftovers(const QString &directory, const QStringList &fileNames)
{
    if (directory.isEmpty())
        return;
    const QDir dir(directory);
    // Compared by hand: a name filter would bring in the regular-expression engine.
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        const qsizetype dot = entry.lastIndexOf(u'.');
        if (dot < 0 || !fileNames.contains(entry.left(dot)) || !isTemporarySuffix(QStringView(entry).sliced(dot + 1)))
            continue;
        const QFileInfo info(dir.filePath(entry));
        if (info.isFile() && !info.isSymLink())
            QFile::remove(info.filePath());
    }
}

} // namespace tavex
