#pragma once

#include "schedule/schedulerules.h"

#include <QGroupBox>

class QCheckBox;
class QTimer;

namespace tavex {

class EditableCombo;

// The "Acionamento Agendado (automático)" group of relays 1 to 4: the box that arms the daily
// schedule, the switch-on and switch-off hour and minute, and the schedule's 10-second timer.
class ScheduleFrame : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 10000;

    ScheduleFrame(int relay, QWidget *parent = nullptr);

    int relay() const { return m_relay; }
    QCheckBox *armBox() const { return m_armBox; }
    EditableCombo *onHourBox() const { return m_onHour; }
    EditableCombo *onMinuteBox() const { return m_onMinute; }
    EditableCombo *offHourBox() const { return m_offHour; }
    EditableCombo *offMinuteBox() const { return m_offMinute; }
    QTimer *timer() const { return m_timer; }

    // Whether the schedule is armed and so holds the relay's button disabled. Arming
    // (re)starts the timer: its first tick comes 10 seconds later.
    bool isArmed() const;
    void arm();
    void disarm();

    // The switch-on and switch-off time as the boxes read now.
    ScheduleTimes times() const;

    void fillTimeLists();

private:
    int m_relay;
    QCheckBox *m_armBox;
    EditableCombo *m_onHour;
    EditableCombo *m_onMinute;
    EditableCombo *m_offHour;
    EditableCombo *m_offMinute;
    QTimer *m_timer;
};

} // namespace tavex
