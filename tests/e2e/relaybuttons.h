#pragma once

#include <QPoint>
#include <QRect>

namespace tavex::test {

// Where the relay buttons lie in the main window's client area: relays 1 to 4 in a
// column, 5 to 8 in a row beneath.
constexpr QRect relayButtonRect(int relay)
{
    if (relay <= 4)
        return QRect(96, 76 + 64 * (relay - 1), 137, 49);
    constexpr int lefts[] = {96, 248, 408, 560};
    return QRect(lefts[relay - 5], 360, 137, 41);
}

// The boxes of relays 1 to 4 in their rows: "Ligar Durante:", the duration's text field, and
// the box that arms the schedule.
constexpr QPoint durationBox(int relay) { return {262, 96 + 64 * (relay - 1)}; }
constexpr QPoint durationField(int relay) { return {276, 115 + 64 * (relay - 1)}; }
constexpr QPoint armBox(int relay) { return {446, 96 + 64 * (relay - 1)}; }
// "Salvar Horários".
constexpr QPoint kSaveTimesButton{692, 36};

} // namespace tavex::test
