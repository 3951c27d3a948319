#include "common/windows1252.h"

#include <array>

namespace tavex {

namespace {

// Bytes 0x80 to 0x9F; an unassigned byte stands for the control character of its number.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char16_t fromWindows1252(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 0x80 && b < 0xA0)
        return kHighControls[b - 0x80];
    return b;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(fromWindows1252(bytes[i]));
    return text;
}

std::optional<char> toWindows1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<QByteArray> toWindows1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        // A surrogate is half of a character outside the basic plane, which the code page
        // never holds.
        const std::optional<char> byte = c.isSurrogate() ? std::nullopt : toWindows1252(c.unicode());
        if (!byte)
            return std::nullopt;
        bytes += *byte;
    }
    return bytes;
}

QString upperWindows1252(QStringView text)
{
    QString upper = text.toString();
    for (QChar &c : upper) {
        const QChar capital = c.toUpper();
        if (capital != c && isWindows1252(capital.unicode()))
            c = capital;
    }
    return upper;
}

} // namespace tavex
