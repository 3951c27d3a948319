#pragma once

#include <QByteArrayView>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A property that must hold for every input. When it breaks, the target stops with the
// property's text and libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(property)                                                                   \
    ((property) ? void(0)                                                                      \
                : (std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,    \
                                #property),                                                    \
                   std::abort()))

namespace tavex::fuzz {

// The fuzz input. Values are taken off its front; what is left is a text.
struct Input
{
    const uint8_t *data;
    size_t size;

    QByteArrayView bytes() const { return {reinterpret_cast<const char *>(data), qsizetype(size)}; }
    QString rest() const { return QString::fromUtf8(bytes()); }

    template<typename T>
    T take()
    {
        T value{};
        const size_t n = std::min(size, sizeof value);
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
};

// Whether the text is a number text as the program writes it, with `mark` as its decimal
// mark: "-" only before a number that is not zero, no needless zero, no exponent, and at
// most 15 significant digits.
inline bool isNumberText(QString text, QChar mark)
{
    if (mark != u'.' && text.contains(u'.'))
        return false;
    text.replace(mark, u'.');
    static const QRegularExpression form(
            QStringLiteral("^(-(?!0$))?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$"));
    // Without the sign, the mark and the zeros that only place the value: its digits.
    static const QRegularExpression wholePlaces(QStringLiteral("-|0+$"));
    static const QRegularExpression fractionPlaces(QStringLiteral("^-?[0.]*|\\."));
    return form.match(text).hasMatch()
            && text.remove(text.contains(u'.') ? fractionPlaces : wholePlaces).size() <= 15;
}

} // namespace tavex::fuzz
