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
    for (std::optional<QString> &time : loaded.times) {
        const std::optional<QByteArrayView> line = readLine(bytes, at);
        if (!line)
            return loaded;
        time = fromWindows1252(*line);
    }
    const QList<QString> fields = readFields(bytes.sliced(at), kBoxLineCount);
    for (qsizetype i = 0; i < fields.size(); ++i)
        loaded.boxes[std::size_t(i)] = boxValue(fields[i]);
    return loaded;
}

} // namespace tavex
