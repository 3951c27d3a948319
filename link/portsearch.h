#pragma once

#include "platform/serialport.h"

#include <QList>
#include <QString>

#include <optional>

namespace tavex {

class SerialPort;

// The first port number of a search through a USB-to-serial converter, and through the
// computer's own serial port. Every search ends at kLastPortNumber.
inline constexpr int kConverterFirstPort = 3;
inline constexpr int kOwnSerialFirstPort = 1;
inline constexpr int kLastPortNumber = 18;

// Tries the port numbers from `first` to kLastPortNumber in turn, each once, and keeps the
// first that opens. Failures to choose or open a number are not reported. Without a result
// every tried port is left closed.
// Each port number that did not open is told in `failed`, with its device and why.
struct PortAttempt
{
    int number = 0;
    QString device;
    OpenFailure failure = OpenFailure::None;
};
std::optional<int> searchPort(SerialPort &port, int first, QList<PortAttempt> *failed = nullptr);

// The numbers from `first` to kLastPortNumber whose device is there, none of them opened.
QList<int> presentPorts(const SerialPort &port, int first);
// Whether a port has appeared between two looks: a number there now that was not before.
bool portAppeared(const QList<int> &before, const QList<int> &now);

// Why no port could be opened, in Portuguese: one line per number tried, its device and its
// reason, and what to do about a permission that is missing.
QString failedAttemptsText(const QList<PortAttempt> &failed);

// The port label's text for an open port ("COM 3", "COM 12") and when there is none.
QString portCaption(int number);
QString noPortCaption();

} // namespace tavex
