#pragma once

#include "common/relay.h"

#include <QString>

namespace tavex {

// A relay's name when the user has given it none: "RELE 1" to "RELE 8".
QString defaultRelayName(int relay);

// The caption a relay button has when the window is created. Relays 4 and 8 carry two
// blanks before the bracket.
QString designCaption(int relay);

// The caption after a switch: the name followed by " (ON)" or " (OFF)".
QString switchedCaption(const QString &name, Switch direction);

// The caption when a name has just been applied from the names file: the name followed by
// " [OFF]", or " [ON]" while the relay is on.
QString appliedNameCaption(const QString &name, Switch state);

// A caption cut before its state: the name as shown, and the state ("(ON)", "[OFF]", ...)
// without the blanks before it; no state when the caption ends in none.
struct CaptionParts
{
    QString name;
    QString state;
};
CaptionParts splitCaption(const QString &caption);

} // namespace tavex
