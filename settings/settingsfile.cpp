#include "settings/settingsfile.h"

#include "common/fields.h"
#include "common/numbers.h"
#include "common/windows1252.h"

#include <cmath>

namespace tavex {

namespace {

QByteArray encoded(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text)
        bytes += c.isSurrogate() ? '?' : toWindows1252(c.unicode()).value_or('?');
    return bytes;
}

// Lines 1 to 8 are read whole.
constexpr std::size_t kWholeTimeLines = 8;

// Lines 9 to 16 as they were read as fields: the blanks before the text dropped, and a text
// in double quotes taken without them, up to the closing quote (and without blanks at its
// start, so that it reads back the same once written unquoted). A comma does not end the text
// here: these lines are written unquoted, so a text with a comma reads back whole.
QString timeField(QByteArrayView line)
{
    const auto withoutLeadingBlanks = [](QByteArrayView text) {
        while (text.startsWith(' '))
            text = text.sliced(1);
        return text;
    };
    line = withoutLeadingBlanks(line);
    if (line.startsWith('"')) {
        line = line.sliced(1);
        if (const qsizetype close = line.indexOf('"'); close >= 0)
            line = line.first(close);
        line = withoutLeadingBlanks(line);
    }
    return fromWindows1252(line);
}

std::optional<bool> boxValue(QStringView field)
{
    const double value = std::round(leadingNumberValue(field));
    if (value == 0.0)
        return false;
    if (value == 1.0)
        return true;
    return std::nullopt;
}

} // namespace

QByteArray settingsFileContents(const SettingsValues &values)
{
    QByteArray bytes;
    for (const QString &text : values.times)
        bytes += encoded(text) + "\r\n";
    for (bool ticked : values.boxes)
        bytes += ticked ? " 1 \r\n" : " 0 \r\n";
    return bytes;
}

LoadedSettings parseSettingsFile(QByteArrayView bytes)
{
    LoadedSettings loaded;
    qsizetype at = 0;
    for (std::size_t i = 0; i < loaded.times.size(); ++i) {
        const std::optional<QByteArrayView> line = readLine(bytes, at);
        if (!line)
            return loaded;
        loaded.times[i] = i < kWholeTimeLines ? fromWindows1252(*line) : timeField(*line);
    }
    const QList<QString> fields = readFields(bytes.sliced(at), kBoxLineCount);
    for (qsizetype i = 0; i < fields.size(); ++i)
        loaded.boxes[std::size_t(i)] = boxValue(fields[i]);
    return loaded;
}

} // namespace tavex
