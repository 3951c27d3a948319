#pragma once

#include <QStringList>

namespace tavex {

// The choices of the schedule's hour boxes ("0 h" to "23 h") and minute boxes ("00", "15",
// "30", "45").
QStringList hourItems();
QStringList minuteItems();

} // namespace tavex
