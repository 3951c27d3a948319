#include "platform/quitsignals.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <qt_windows.h>

namespace tavex {

// Every top-level window gets WM_ENDSESSION when the session ends; the program is told once.
class QuitSignals::SessionEndFilter final : public QAbstractNativeEventFilter
{
public:
    explicit SessionEndFilter(QuitSignals &owner) : m_owner(owner) { }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        // wParam is FALSE when the session goes on after all.
        if (msg->message == WM_ENDSESSION && msg->wParam != FALSE && !m_owner.hasArrived())
            m_owner.deliver(0);
        // Qt's own handling (aboutToQuit) follows.
        return false;
    }

private:
    QuitSignals &m_owner;
};

QuitSignals::QuitSignals(QObject *parent)
    : QObject(parent), m_filter(std::make_unique<SessionEndFilter>(*this))
{
    QCoreApplication::instance()->installNativeEventFilter(m_filter.get());
    m_active = true;
}

QuitSignals::~QuitSignals()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeNativeEventFilter(m_filter.get());
}

void QuitSignals::deliver(int signalNumber)
{
    m_arrived = true;
    emit arrived(signalNumber);
}

} // namespace tavex
