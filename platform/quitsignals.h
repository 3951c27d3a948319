#pragma once

#include <QObject>

#ifdef Q_OS_WIN
#include <memory>
#else
#include <csignal>

class QSocketNotifier;
#endif

namespace tavex {

// Turns SIGTERM, SIGINT and SIGHUP (the session's end, Ctrl+C, the terminal's hang-up) into
// the Qt signal `arrived`, delivered by the event loop on the user-interface thread, where
// the program can end as it does when its window is closed. The handler only writes the
// signal's number into a pipe; the pipe's reading end wakes the event loop.
// On Windows the session's end comes as a window message, WM_ENDSESSION, which `arrived`
// passes on with the number 0 before the message's handling returns: after that Windows may
// end the process at any moment.
//
// One object at a time, for as long as the program should answer these signals; its
// destructor gives them back their former handlers.
class QuitSignals final : public QObject
{
    Q_OBJECT

public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals &) = delete;
    QuitSignals &operator=(const QuitSignals &) = delete;

    // Whether the handlers are in place (false when the pipe could not be made).
    bool isActive() const { return m_active; }
    // Whether one of the signals has been delivered as `arrived`.
    bool hasArrived() const { return m_arrived; }

signals:
    void arrived(int signalNumber);

private:
    void deliver(int signalNumber);

#ifdef Q_OS_WIN
    class SessionEndFilter;
    std::unique_ptr<SessionEndFilter> m_filter;
#else
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_former[3] = {};
#endif
    bool m_active = false;
    bool m_arrived = false;
};

} // namespace tavex
