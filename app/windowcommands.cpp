#include "app/mainwindow.h"

#include "relays/relaybank.h"
#include "schedule/scheduleframe.h"
#include "timed/countdown.h"
#include "timed/durationentry.h"

namespace tavex {

RelayExtras MainWindow::relayExtras(int relay) const
{
    RelayExtras extras;
    if (!isTimedRelay(relay))
        return extras;
    const Countdown &countdown = m_board->relays().countdown(relay);
    if (countdown.isRunning()) {
        const DurationEntry *entry = durationEntry(relay);
        extras.secondsLeft = countdownSecondsLeft(
                countdown.tempoDecorrido(), countdownTarget(entry->durationText(), entry->unitText(), QLocale()));
    }
    if (scheduleHoldsButton(relay)) {
        const ScheduleTimes times = scheduleFrame(relay)->times();
        extras.schedule = ArmedSchedule{scheduleClockText(times.onHour, times.onMinute), scheduleClockText(times.offHour, times.offMinute)};
    }
    return extras;
}

void MainWindow::commandSwitchFailed()
{
    if (!m_messages.isShowing())
        reconectaConversor();
}

} // namespace tavex
