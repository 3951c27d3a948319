#include "schedule/timelists.h"

namespace tavex {

QStringList hourItems()
{
    QStringList items;
    for (int hour = 0; hour < 24; ++hour)
        items << QStringLiteral("%1 h").arg(hour);
    return items;
}

QStringList minuteItems()
{
    return {QStringLiteral("00"), QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("45")};
}

} // namespace tavex
