#include "app/mainwindow.h"

#include "relays/relaybank.h"
#include "schedule/scheduleframe.h"
#include "timed/countdown.h"
#include "timed/durationentry.h"

namespace tavex {

namespace {

// A schedule's time as a clock writes it ("07:00" for the boxes "7 h" and "00"); the boxes'
// texts as they are when they name no number, as such a time is never due.
QString clockText(const QString &hourText, const QString &minuteText)
{
    const std::optional<int> hour = settingNumber(hourText), minute = settingNumber(minuteText);
    if (!hour || !minute)
        return hourText + u':' + minuteText;
    return QStringLiteral("%1:%2").arg(*hour, 2, 10, QChar(u'0')).arg(*minute, 2, 10, QChar(u'0'));
}

} // namespace

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
        extras.schedule = ArmedSchedule{clockText(times.onHour, times.onMinute), clockText(times.offHour, times.offMinute)};
    }
    return extras;
}

void MainWindow::commandSwitchFailed()
{
    if (!m_messages.isShowing())
        reconectaConversor();
}

} // namespace tavex
