#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavex {

// Reads a small data file whole. Only a regular file (a link to one is followed) of at most
// `maxBytes` bytes is read: a missing file, a directory, a pipe, a device or a larger file
// gives nothing, at once and without blocking.
std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxBytes);

// Replaces the file with `contents` atomically: the bytes are written aside and renamed over
// the old file, so a crash or a full disk leaves the old file or the new one, never half of
// one. False when the file could not be written; the old file is then untouched.
bool replaceFile(const QString &path, const QByteArray &contents);

} // namespace tavex
