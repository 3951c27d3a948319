// The daily schedule of relays 1 to 4, as the main window runs it.

#include "app/mainwindow.h"

#include "platform/clock.h"
#include "schedule/scheduleframe.h"
#include "timed/durationentry.h"

#include <QCheckBox>
#include <QPushButton>

namespace tavex {

void MainWindow::scheduleBoxChanged(int relay)
{
    ScheduleFrame *frame = scheduleFrame(relay);
    if (frame->armBox()->isChecked()) {
        // Clearing the duration box clears this box in turn (clearSchedule), which disarms;
        // ticking it again arms, nested, before this run goes on to the same end.
        durationEntry(relay)->durationBox()->setChecked(false);
        frame->armBox()->setChecked(true);
        relayButton(relay)->setEnabled(false);
        scheduleArmed(m_scheduleMarks[relay - 1], m_clock.now());
        frame->arm();
    } else {
        // The relay stays as it is; only its button is given back, whatever the port. A switch
        // the schedule had kept for the board is dropped with it.
        frame->disarm();
        m_board->scheduleDisarmed(relay);
        relayButton(relay)->setEnabled(true);
    }
}

void MainWindow::scheduleTimerTick(int relay)
{
    scheduleTick(m_scheduleMarks[relay - 1], scheduleFrame(relay)->times(),
                 [this] { return m_clock.now(); },
                 [this, relay](Switch direction) { m_board->timedSwitch(relay, direction, SwitchCause::Schedule); });
}

bool MainWindow::scheduleHoldsButton(int relay) const
{
    return isTimedRelay(relay) && scheduleFrame(relay)->isArmed();
}

void MainWindow::clearSchedule(int relay)
{
    scheduleFrame(relay)->armBox()->setChecked(false);
}

} // namespace tavex
