#pragma once

#include <QString>

class QWidget;

namespace tavex {

// Gives every control of the main window an accessible name that says what it does for
// which relay ("Aumentar a duração do relé 2"), and a tab order that runs row by row, relay
// by relay: the title row, each relay's button, duration and schedule, the options, then
// relays 5 to 8.
void makeMainWindowAccessible(QWidget *window);

} // namespace tavex
