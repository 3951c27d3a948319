#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace tavex {

// Reads a small data file whole. Only a regular file (a link to one is followed) of at most
// `maxBytes` bytes is read: a missing file, a directory, a pipe, a device or a larger file
// gives nothing, at once and without blocking.
std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxBytes);

// Replaces the file with `contents` atomically: the bytes are written aside, under a name of
// the program's own (".<fileName>.tavex-save-XXXXXX", six letters or digits, beside it),
// synced to the disk and renamed over the old file, so a crash or a full disk leaves the old
// file or the new one, never half of one. Only a regular file, or the one a link leads to, is
// replaced, and it keeps its permissions. False when the file could not be written; whatever
// was in its place is then untouched.
bool replaceFile(const QString &path, const QByteArray &contents);

// Removes what replaceFile() leaves in `directory` when the program is killed in the middle
// of replacing one of `fileNames`: the regular files written aside under its name pattern.
void removeReplaceLeftovers(const QString &directory, const QStringList &fileNames);

// Makes a write beyond the file-size limit (RLIMIT_FSIZE) fail rather than end the program
// with SIGXFSZ. For the whole process: called once at start, before any file is written.
void failWritesBeyondSizeLimit();

} // namespace tavex
