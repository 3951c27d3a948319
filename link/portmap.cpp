#include "link/portmap.h"

#include "platform/datafile.h"

#include <QDir>

namespace tavex {

PortMap PortMap::platformDefault()
{
    PortMap map;
#ifdef Q_OS_WIN
    for (int n = 1; n <= 18; ++n)
        map.devices.insert(n, QStringLiteral("COM%1").arg(n));
#else
    for (int n = 1; n <= 2; ++n)
        map.devices.insert(n, QStringLiteral("/dev/ttyS%1").arg(n - 1));
    for (int n = 3; n <= 10; ++n)
        map.devices.insert(n, QStringLiteral("/dev/ttyUSB%1").arg(n - 3));
    for (int n = 11; n <= 18; ++n)
        map.devices.insert(n, QStringLiteral("/dev/ttyACM%1").arg(n - 11));
#endif
    return map;
}

namespace {

// A whole positive decimal number, or 0.
int positiveNumber(QStringView text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok && value > 0 ? value : 0;
}

} // namespace

PortMap withOverrides(PortMap map, QStringView tableText)
{
    // Lines end in LF, CR LF or a lone CR, as editors of every kind write them; the empty
    // line that a CR LF then gives is ignored as every blank line is.
    QString text = tableText.toString();
    text.replace(u'\r', u'\n');
    const auto lines = QStringView(text).split(u'\n');
    for (QStringView line : lines) {
        line = line.trimmed();
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QStringView key = line.left(equals).trimmed();
        const QStringView value = line.mid(equals + 1).trimmed();
        if (key.compare(u"VELOCIDADE", Qt::CaseInsensitive) == 0) {
            if (const int baud = positiveNumber(value))
                map.baudRate = baud;
        } else if (key.startsWith(u"COM", Qt::CaseInsensitive) && !value.isEmpty()) {
            if (const int number = positiveNumber(key.mid(3)))
                map.devices.insert(number, value.toString());
        }
    }
    return map;
}

PortMap loadPortMap(const QString &directory)
{
    PortMap map = PortMap::platformDefault();
    if (directory.isEmpty())
        return map;
    const QString path = QDir(directory).filePath(QString::fromLatin1(kPortTableFileName));
    const std::optional<QByteArray> table = readSmallFile(path, kPortTableMaxBytes);
    if (!table)
        return map;
    return withOverrides(std::move(map), QString::fromUtf8(*table));
}

} // namespace tavex
