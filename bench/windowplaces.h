#pragma once

#include <QPoint>

namespace tavex::bench {

// Places in TAVEX's main window, in client pixels (the layout's twips / 15): the rows of
// relays 1 to 4 lie 64 pixels apart; the duration group starts at x 248, the schedule group
// at x 432.
constexpr int rowOffset(int relay)
{
    return 64 * (relay - 1);
}

// The "Ligar Durante:" box, on its tick mark.
constexpr QPoint durationBox(int relay)
{
    return {262, 96 + rowOffset(relay)};
}

// The duration's text box.
constexpr QPoint durationText(int relay)
{
    return {276, 115 + rowOffset(relay)};
}

// The box that arms the daily schedule, on its tick mark.
constexpr QPoint scheduleBox(int relay)
{
    return {446, 96 + rowOffset(relay)};
}

} // namespace tavex::bench
