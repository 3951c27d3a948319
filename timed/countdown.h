#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringView>
#include <QTimer>

#include <optional>

namespace tavex {

// What one tick of a countdown shows and whether it ends the countdown.
struct CountdownStep
{
    std::optional<QString> label; // the remaining seconds; nothing for an unknown unit
    bool finished = false;
};

// The tick that has counted `ticks` seconds since the switch-on, with the duration and unit
// as they read now. The label shows duration x seconds-per-unit - ticks; the countdown ends
// once the ticks have reached or passed a positive target, so a duration lowered during the
// countdown, or one that is not a whole number of seconds, still ends it. Both are exact for
// every duration of up to three decimals: "4.1" "MIN" ends on tick 246, showing "0".
CountdownStep countdownStep(qint64 ticks, QStringView duration, QStringView unit,
                            const QLocale &locale);

// A relay's countdown: a one-second timer and the ticks counted since the switch-on.
class Countdown : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 1000;

    // The timer is named "Timer<relay>".
    Countdown(int relay, QObject *parent = nullptr);

    int relay() const { return m_relay; }
    QTimer &timer() { return *m_timer; }

    bool isRunning() const { return m_timer->isActive(); }
    void start() { m_timer->start(); }
    void stop() { m_timer->stop(); }

    qint64 tempoDecorrido() const { return m_ticks; }
    void setTempoDecorrido(qint64 ticks) { m_ticks = ticks; }

    // Counts one tick and tells what it shows.
    CountdownStep advance(QStringView duration, QStringView unit, const QLocale &locale);

signals:
    void tick();

private:
    int m_relay;
    QTimer *m_timer;
    qint64 m_ticks = 0;
};

} // namespace tavex
