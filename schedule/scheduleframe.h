#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QTimer;

namespace tavex {

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
    QComboBox *onHourBox() const { return m_onHour; }
    QComboBox *onMinuteBox() const { return m_onMinute; }
    QComboBox *offHourBox() const { return m_offHour; }
    QComboBox *offMinuteBox() const { return m_offMinute; }
    QTimer *timer() const { return m_timer; }

    // Whether the schedule is armed and so holds the relay's button disabled.
    bool isArmed() const;

    void fillTimeLists();

private:
    int m_relay;
    QCheckBox *m_armBox;
    QComboBox *m_onHour;
    QComboBox *m_onMinute;
    QComboBox *m_offHour;
    QComboBox *m_offMinute;
    QTimer *m_timer;
};

} // namespace tavex
