#pragma once

#include <QRegularExpression>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A property that must hold for every input. When it breaks, the target stops with the
// property's text and libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(property)                                                                   \
    ((property) ? void(0) : ::tavex::fuzz::broken(#property, __FILE__, __LINE__))

namespace tavex::fuzz {

[[noreturn]] inline void broken(const char *property, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    std::abort();
}

// Takes values off the front of a fuzz input; what is left is a text.
class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) { }

    template<typename T>
    T take()
    {
        T value{};
        const size_t n = m_size < sizeof value ? m_size : sizeof value;
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }

    QString rest() const
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(m_data), qsizetype(m_size));
    }

private:
    const uint8_t *m_data;
    size_t m_size;
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
    if (!form.match(text).hasMatch())
        return false;
    // The digits of the value: no sign, no mark, none of the zeros that only place it.
    const bool whole = !text.contains(u'.');
    text.remove(u'-').remove(u'.');
    static const QRegularExpression leadingZeros(QStringLiteral("^0+"));
    static const QRegularExpression trailingZeros(QStringLiteral("0+$"));
    text.remove(whole ? trailingZeros : leadingZeros);
    return text.size() <= 15;
}

} // namespace tavex::fuzz
