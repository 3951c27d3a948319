#include "platform/quitsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tavex {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe between the handler and the event loop: [0] is read, [1] is written.
int quitPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int number)
{
    // Only async-signal-safe calls here. A full pipe already holds a wake-up.
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    Q_ASSERT(quitPipe[0] < 0);
    if (::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("QuitSignals: no pipe: %s", strerror(errno));
        quitPipe[0] = quitPipe[1] = -1;
        return;
    }
    m_active = true;
    m_notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPipe);

    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    // A system call that a signal interrupts carries on: the event loop does the work.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < int(std::size(kSignals)); ++i)
        ::sigaction(kSignals[i], &action, &m_former[i]);
}

QuitSignals::~QuitSignals()
{
    if (!isActive())
        return;
    for (int i = 0; i < int(std::size(kSignals)); ++i)
        ::sigaction(kSignals[i], &m_former[i], nullptr);
    delete m_notifier;
    ::close(quitPipe[0]);
    ::close(quitPipe[1]);
    quitPipe[0] = quitPipe[1] = -1;
}

void QuitSignals::readPipe()
{
    unsigned char bytes[16];
    ssize_t count;
    while ((count = ::read(quitPipe[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < count; ++i)
            deliver(bytes[i]);
    }
}

void QuitSignals::deliver(int signalNumber)
{
    m_arrived = true;
    emit arrived(signalNumber);
}

} // namespace tavex
