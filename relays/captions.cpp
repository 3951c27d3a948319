#include "relays/captions.h"

namespace tavex {

QString defaultRelayName(int relay)
{
    return QStringLiteral("RELE %1").arg(relay);
}

QString designCaption(int relay)
{
    const bool wide = relay == 4 || relay == 8;
    return defaultRelayName(relay) + (wide ? QStringLiteral("  (OFF)") : QStringLiteral(" (OFF)"));
}

QString switchedCaption(const QString &name, Switch direction)
{
    return name + (direction == Switch::On ? QStringLiteral(" (ON)") : QStringLiteral(" (OFF)"));
}

QString appliedNameCaption(const QString &name)
{
    return name + QStringLiteral(" [OFF]");
}

} // namespace tavex
