#pragma once

#include <QMap>
#include <QString>
#include <QStringView>

namespace tavex {

// Which device a port number opens, and the line speed.
// On Linux ports 1-2 are /dev/ttyS0-1, 3-10 /dev/ttyUSB0-7 and 11-18 /dev/ttyACM0-7; on
// Windows port n is COMn. The optional file "PORTAS.INI" beside the data files overrides
// single numbers ("COM<n>=<device path>") and the speed ("VELOCIDADE=<baud>"); the program
// never writes it and ignores every line it does not understand.
struct PortMap
{
    QMap<int, QString> devices;
    int baudRate = 9600;

    // The device of a port number; empty when the number names none.
    QString deviceFor(int number) const { return devices.value(number); }

    static PortMap platformDefault();
};

inline constexpr auto kPortTableFileName = "PORTAS.INI";
// Eighteen lines of long device paths fit in a few kilobytes; a larger table is no table.
inline constexpr qint64 kPortTableMaxBytes = 16 * 1024;

// The map with the overrides of a port table's text applied.
PortMap withOverrides(PortMap map, QStringView tableText);

// The platform's map with the overrides of the port table in the given directory, if any.
// Only a regular file of at most kPortTableMaxBytes is read; anything else in its place
// counts as no table, and so does an empty directory name.
PortMap loadPortMap(const QString &directory);

} // namespace tavex
