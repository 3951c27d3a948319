#include "names/namesfile.h"

#include "common/windows1252.h"
#include "platform/datafile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tavex {

namespace {

constexpr char kBlank = ' ';
constexpr char kQuote = '"';
constexpr char kComma = ',';

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Reads the file's bytes one entry at a time.
class EntryCursor
{
public:
    explicit EntryCursor(QByteArrayView bytes) : m_bytes(bytes) { }

    bool atEnd() const { return m_pos >= m_bytes.size(); }

    // The next entry; only called when not at the end. Every call moves on by at least one
    // byte.
    QString next()
    {
        while (!atEnd() && peek() == kBlank)
            ++m_pos;
        QByteArrayView entry;
        if (!atEnd() && peek() == kQuote) {
            ++m_pos;
            entry = takeWhile([](char c) { return c != kQuote && !isLineEnd(c); });
            if (!atEnd() && peek() == kQuote) {
                ++m_pos;
                takeWhile([](char c) { return c != kComma && !isLineEnd(c); });
            }
        } else {
            entry = takeWhile([](char c) { return c != kComma && !isLineEnd(c); });
            while (entry.endsWith(kBlank))
                entry.chop(1);
        }
        skipDelimiter();
        return fromWindows1252(entry);
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

    // The comma or the line end (CR LF, CR or LF) that ends an entry.
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

QList<QString> readNameEntries(QByteArrayView bytes, qsizetype count)
{
    QList<QString> entries;
    EntryCursor cursor(bytes);
    while (entries.size() < count && !cursor.atEnd())
        entries.append(cursor.next());
    return entries;
}

QByteArray namesFileContents(const QStringList &names)
{
    QByteArray contents;
    for (int n = 0; n < kRelayCount; ++n) {
        // Upper-casing keeps every character within the code page, so the conversion holds.
        const QByteArray name = toWindows1252(nameText(upperWindows1252(names.value(n)))).value();
        if (name.contains(kComma))
            contents += kQuote + name + kQuote;
        else
            contents += name;
        contents += "\r\n";
    }
    return contents;
}

bool isNameCharacter(char32_t c)
{
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    return !control && c != U'"' && isWindows1252(c);
}

bool isNameText(QStringView text)
{
    // A surrogate is half of a character the code page never holds.
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return !c.isSurrogate() && isNameCharacter(c.unicode()); });
}

QString nameText(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text) {
        if (!c.isSurrogate() && isNameCharacter(c.unicode()))
            kept += c;
    }
    return kept;
}

QString trimBlanks(QStringView text)
{
    while (text.startsWith(u' '))
        text = text.sliced(1);
    while (text.endsWith(u' '))
        text.chop(1);
    return text.toString();
}

QString namesFilePath(const QString &dir)
{
    // An empty path would be the current directory.
    if (dir.isEmpty())
        return {};
    const QDir directory(dir);
    const QString exact = directory.filePath(kNamesFileName.toString());
    if (QFileInfo::exists(exact))
        return exact;
    // Name filters match without regard to case.
    const QStringList others = directory.entryList({kNamesFileName.toString()},
                                                   QDir::Files | QDir::Hidden | QDir::System,
                                                   QDir::Name);
    return others.isEmpty() ? exact : directory.filePath(others.first());
}

QList<QString> readNamesFile(const QString &dir)
{
    const QString path = namesFilePath(dir);
    if (path.isEmpty())
        return {};
    const std::optional<QByteArray> bytes = readSmallFile(path, kNamesFileMaxBytes);
    return bytes ? readNameEntries(*bytes) : QList<QString>();
}

bool writeNamesFile(const QString &dir, const QStringList &names)
{
    return !dir.isEmpty()
            && replaceFile(QDir(dir).filePath(kNamesFileName.toString()), namesFileContents(names));
}

} // namespace tavex
