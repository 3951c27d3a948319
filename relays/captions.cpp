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

QString appliedNameCaption(const QString &name, Switch state)
{
    return name + (state == Switch::On ? QStringLiteral(" [ON]") : QStringLiteral(" [OFF]"));
}

CaptionParts splitCaption(const QString &caption)
{
    for (QStringView state : {u"(ON)", u"(OFF)", u"[ON]", u"[OFF]"}) {
        if (!caption.endsWith(state))
            continue;
        QStringView name = QStringView(caption).chopped(state.size());
        // A state stands after a blank; a caption that is all state is a name.
        if (!name.endsWith(u' ') || name.trimmed().isEmpty())
            break;
        while (name.endsWith(u' '))
            name.chop(1);
        return {name.toString(), state.toString()};
    }
    return {caption, {}};
}

} // namespace tavex
