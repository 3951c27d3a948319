#pragma once

#include <QByteArray>
#include <QString>

namespace tavex {

// Why a port did not open.
enum class OpenFailure {
    None,
    Absent,           // no such device
    PermissionDenied, // the user may not open it
    InUse,            // another program has it
    NotSerialDevice,  // not a serial device (or the program's own terminal)
    Other,
};

// The serial port as the program needs it: five operations, each of which may fail, and a
// look at whether a port's device is there.
// A port is chosen by its number (1 to 18); how a number maps to a device belongs to the
// backend.
class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // Chooses the port number used by the next open(). Choosing a number while a port is
    // open closes that port first, so isOpen() never names a port other than the chosen one.
    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;

    // Opens the chosen port; true when it is open afterwards (also when it already was).
    virtual bool open() = 0;
    // The device behind the chosen number, and why the last open() did not open it.
    virtual QString deviceName() const = 0;
    virtual OpenFailure openFailure() const = 0;
    virtual bool isOpen() const = 0;
    // Whether the device behind a number is there and may be a port, judged without opening
    // or touching it (what watching for a board that was gone looks at).
    virtual bool isPresent(int number) const = 0;
    virtual void close() = 0;

    // Writes the bytes and waits until they have left the program. Fails, synchronously, when
    // the port is not open or its device has gone; a port whose device has gone is closed.
    virtual bool write(const QByteArray &bytes) = 0;
};

} // namespace tavex
