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

// What a duration and unit amount to: the seconds per unit (nothing for an unknown unit),
// the duration and the end of the countdown in milliseconds, and whether the label is written
// with a sign blank.
struct CountdownTarget
{
    std::optional<int> perUnit;
    double durationMs = 0;
    double endMs = 0;
    bool signBlank = false;
};

CountdownTarget countdownTarget(QStringView duration, QStringView unit, const QLocale &locale);

// The tick that has counted `ticks` seconds since the switch-on, with the duration and unit
// as they read now. The label shows duration x seconds-per-unit - ticks; the countdown ends
// once the ticks have reached or passed a positive target, so a duration lowered during the
// countdown, or one that is not a whole number of seconds, still ends it. Both are exact for
// every duration of up to three decimals: "4.1" "MIN" ends on tick 246, showing "0".
CountdownStep countdownStep(qint64 ticks, QStringView duration, QStringView unit,
                            const QLocale &locale);
CountdownStep countdownStep(qint64 ticks, const CountdownTarget &target, const QLocale &locale);

// The whole seconds from `ticks` to the tick that ends the countdown; nothing for a target
// that never ends it (an unknown unit, a duration of no seconds).
std::optional<qint64> countdownSecondsLeft(qint64 ticks, const CountdownTarget &target);

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
    // The texts of the last tick and what they amount to.
    QString m_durationText;
    QString m_unitText;
    QLocale m_locale;
    CountdownTarget m_target;
    bool m_targetRead = false;
};

} // namespace tavex
