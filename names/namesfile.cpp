#include "names/namesfile.h"

#include "common/fields.h"
#include "common/windows1252.h"
#include "platform/datafile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tavex {

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';

// Whether a name's double quotes read back: none at its start, blanks aside, and no comma.
bool quotesReadBack(QStringView text)
{
    return !text.contains(u'"') || (!text.contains(u',') && !trimBlanks(text).startsWith(u'"'));
}

} // namespace

QList<QString> readNameEntries(QByteArrayView bytes, qsizetype count)
{
    return readFields(bytes, count);
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
    return !control && isWindows1252(c);
}

bool isNameText(QStringView text)
{
    // A surrogate is half of a character the code page never holds.
    return quotesReadBack(text) && std::all_of(text.begin(), text.end(), [](QChar c) {
        return !c.isSurrogate() && isNameCharacter(c.unicode());
    });
}

QString nameText(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text) {
        if (!c.isSurrogate() && isNameCharacter(c.unicode()))
            kept += c;
    }
    if (!quotesReadBack(kept))
        kept.remove(u'"');
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
    // The same name in other case. Compared here rather than by a name filter, which would
    // bring in the regular-expression engine for one plain name.
    const QStringList entries
            = directory.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(kNamesFileName, Qt::CaseInsensitive) == 0)
            return directory.filePath(entry);
    }
    return exact;
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
