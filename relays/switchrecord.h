#pragma once

#include "common/relay.h"

#include <QDateTime>
#include <QString>

namespace tavex {

// What made a relay switch.
enum class SwitchCause {
    Button,       // a click on its button
    Countdown,    // the end of its countdown
    Schedule,     // its daily schedule
    Startup,      // the switch-off commands of the start-up
    Reconnection, // a kept switch, made when the board was found again
    Command,      // a verb that another program handed to the running copy
};

// One line of the switch record, without its line end: the local date and time to the
// second, the relay's number and name, the direction, the cause and, when the command could
// not be written, "falhou":
//   2026-12-07 07:00:05  relé 1 (BOMBA)  ligado  agenda
// The name's control characters become blanks, so a line never breaks.
QString switchRecordLine(const QDateTime &when, int relay, const QString &name, Switch direction,
                         SwitchCause cause, bool written);

} // namespace tavex
