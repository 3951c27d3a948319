#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace tavex {

// How the data files are read: line by line, or field by field. CR LF, a lone CR and a lone
// LF each end a line; the end of the file ends the last one.

// The line that starts at `at`, without its end, moving `at` past it; nothing at the end of
// the file.
std::optional<QByteArrayView> readLine(QByteArrayView bytes, qsizetype &at);

// The fields of the bytes, from their start, at most `count` of them, decoded from
// Windows-1252:
// - blanks in front of a field are skipped;
// - a field that begins with a double quote runs to the next double quote, blanks and commas
//   included; without one on its line it runs to the line end; whatever follows the closing
//   quote up to the next comma or line end is dropped;
// - any other field runs to the next comma or line end, without its blanks at the end;
// - a line with nothing on it, or only blanks, is one empty field.
// Fewer fields than asked for mean that the reads past the last one fail.
QList<QString> readFields(QByteArrayView bytes, qsizetype count);

} // namespace tavex
