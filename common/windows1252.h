#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace tavex {

// The data files hold one byte per character in Windows-1252. Qt's own converters do not
// know that code page everywhere, so the program carries its table: below 0x80 and from 0xA0
// on it is Latin-1; 0x80 to 0x9F hold the euro sign, typographic quotes and a few letters.
// The five bytes that the code page leaves unassigned read as the control characters of the
// same number, so every byte reads back as it was written.

// The character a byte stands for.
char16_t fromWindows1252(char byte);
QString fromWindows1252(QByteArrayView bytes);

// The byte for a character, when the code page holds it.
std::optional<char> toWindows1252(char32_t c);
// The bytes of a text, when the code page holds every one of its characters.
std::optional<QByteArray> toWindows1252(QStringView text);

inline bool isWindows1252(char32_t c)
{
    return toWindows1252(c).has_value();
}

// The text with every letter in upper case, as far as the code page holds the capital:
// "ç" gives "Ç", "ÿ" gives "Ÿ"; "ß" and "µ", whose capitals it lacks, stay as they are.
QString upperWindows1252(QStringView text);

} // namespace tavex
