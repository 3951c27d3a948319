#include "common/fields.h"

#include "common/windows1252.h"

namespace tavex {

namespace {

constexpr char kBlank = ' ';
constexpr char kQuote = '"';
constexpr char kComma = ',';

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Reads the bytes one field at a time.
class FieldCursor
{
public:
    explicit FieldCursor(QByteArrayView bytes) : m_bytes(bytes) { }

    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // The next field; only called when not at the end. Every call moves on by at least one
    // byte.
    QString next()
    {
        while (!atEnd() && peek() == kBlank)
            ++m_pos;
        QByteArrayView field;
        if (!atEnd() && peek() == kQuote) {
            ++m_pos;
            field = takeWhile([](char c) { return c != kQuote && !isLineEnd(c); });
            if (!atEnd() && peek() == kQuote) {
                ++m_pos;
                takeWhile([](char c) { return c != kComma && !isLineEnd(c); });
            }
        } else {
            field = takeWhile([](char c) { return c != kComma && !isLineEnd(c); });
            while (field.endsWith(kBlank))
                field.chop(1);
        }
        skipDelimiter();
        return fromWindows1252(field);
    }

private:
    char peek() const { return m_bytes[m_pos]; }

    template<typename Pred>
    QByteArrayView takeWhile(Pred keep)
    {
        const qsizetype start = m_pos;
        while (!atEnd() && keep(peek()))
            ++m_pos;
        return m_bytes.sliced(start, m_pos - start);
    }

    // The comma or the line end that ends a field.
    void skipDelimiter()
    {
        if (atEnd())
            return;
        const char c = peek();
        ++m_pos;
        if (c == '\r' && !atEnd() && peek() == '\n')
            ++m_pos;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

} // namespace

std::optional<QByteArrayView> readLine(QByteArrayView bytes, qsizetype &at)
{
    if (at >= bytes.size())
        return std::nullopt;
    const qsizetype start = at;
    while (at < bytes.size() && !isLineEnd(bytes[at]))
        ++at;
    const QByteArrayView line = bytes.sliced(start, at - start);
    if (at < bytes.size() && bytes[at++] == '\r' && at < bytes.size() && bytes[at] == '\n')
        ++at;
    return line;
}

QList<QString> readFields(QByteArrayView bytes, qsizetype count)
{
    QList<QString> fields;
    FieldCursor cursor(bytes);
    while (fields.size() < count && !cursor.atEnd())
        fields.append(cursor.next());
    return fields;
}

} // namespace tavex
