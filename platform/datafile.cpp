#include "platform/datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <algorithm>
#include <iterator>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace tavex {

namespace {

// What a save writes aside is named ".<fileName>.tavex-save-XXXXXX", the X replaced at random
// by letters (or digits): a name no person gives a copy.
const QString kAsideMark = QStringLiteral(".tavex-save-");
constexpr qsizetype kAsideRandomLength = 6;
// A file saved for the first time: the user's to write, everyone's to read.
constexpr QFileDevice::Permissions kNewFilePermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// Names tried for what a save writes aside before it gives up.
constexpr int kAsideAttempts = 16;

bool isRandomLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

QString randomLetters()
{
    static constexpr char16_t kLetters[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString letters(kAsideRandomLength, Qt::Uninitialized);
    for (QChar &c : letters)
        c = kLetters[QRandomGenerator::global()->bounded(int(std::size(kLetters) - 1))];
    return letters;
}

QString asidePrefix(const QString &fileName)
{
    return u'.' + fileName + kAsideMark;
}

bool isAsideName(QStringView entry, const QStringList &fileNames)
{
    return std::any_of(fileNames.begin(), fileNames.end(), [&](const QString &fileName) {
        const QString prefix = asidePrefix(fileName);
        return entry.size() == prefix.size() + kAsideRandomLength && entry.startsWith(prefix)
                && std::all_of(entry.begin() + prefix.size(), entry.end(), isRandomLetter);
    });
}

// Whether what was written has reached the disk. A file system that fills up may take the
// writes and only refuse the blocks when they are synced. The file may be closed afterwards.
bool syncToDisk(QFileDevice &file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) == 0)
        return true;
    // A file system that cannot sync has nothing left to refuse.
    return errno == EINVAL || errno == EROFS || errno == ENOTSUP;
#else
    // A file Qt opened by name has no descriptor to reach its Windows handle through: it is
    // closed and opened again by name to be flushed.
    const QString path = QDir::toNativeSeparators(file.fileName());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return false;
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(handle);
    CloseHandle(handle);
    return flushed;
#endif
}

// Puts the file at `from` in the place of the one at `to` in one step.
bool renameOver(const QString &from, const QString &to)
{
#ifdef Q_OS_UNIX
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#else
    const QString source = QDir::toNativeSeparators(from), destination = QDir::toNativeSeparators(to);
    return MoveFileExW(reinterpret_cast<const wchar_t *>(source.utf16()),
                       reinterpret_cast<const wchar_t *>(destination.utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
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
    // Written aside in the folder of the file itself, the one a link leads to, under a name
    // nobody else uses; removed again unless it takes the file's place. (A QTemporaryFile
    // keeps its file open on Windows after close(), and the move over the old file would fail.)
    const QFileInfo target(existing.isSymLink() ? existing.canonicalFilePath() : existing.absoluteFilePath());
    QFile aside;
    for (int attempt = 0; attempt < kAsideAttempts && !aside.isOpen(); ++attempt) {
        aside.setFileName(target.dir().filePath(asidePrefix(target.fileName()) + randomLetters()));
        if (!aside.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !aside.exists())
            return false;
    }
    if (!aside.isOpen())
        return false;
    auto removeAside = qScopeGuard([&aside] { aside.remove(); });
    // write() only fills the buffer: a full disk or a size limit shows at the flush or the
    // sync, and then the old file must stay.
    if (!aside.setPermissions(target.exists() ? target.permissions() : kNewFilePermissions)
        || aside.write(contents) != contents.size() || !aside.flush() || !syncToDisk(aside))
        return false;
    aside.close();
    if (aside.error() != QFileDevice::NoError || !renameOver(aside.fileName(), target.filePath()))
        return false;
    removeAside.dismiss();
    return true;
}

void removeReplaceLeftovers(const QString &directory, const QStringList &fileNames)
{
    if (directory.isEmpty())
        return;
    const QDir dir(directory);
    // Compared by hand: a name filter would bring in the regular-expression engine.
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        const QFileInfo info(dir.filePath(entry));
        if (isAsideName(entry, fileNames) && info.isFile() && !info.isSymLink())
            QFile::remove(info.filePath());
    }
}

void failWritesBeyondSizeLimit()
{
#ifdef Q_OS_UNIX
    ::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace tavex
