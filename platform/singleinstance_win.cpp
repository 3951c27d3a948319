#include "platform/singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <windows.h>

namespace tavex {

namespace {

constexpr int kWaitMs = 1000;

} // namespace

QString SingleInstance::standardName()
{
    // A pipe name; the user's name keeps users apart on one machine.
    return QStringLiteral("tavex-") + qEnvironmentVariable("USERNAME");
}

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::askRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    // A connection is the whole request.
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::claim()
{
    if (m_name.isEmpty())
        return true;
    if (askRunningCopy())
        return false;
    // The mark by which the installer and the uninstaller see this copy running, in any session
    // (packaging/windows/NSIS.template.in); Windows takes it away when the program ends.
    CreateMutexW(nullptr, FALSE, L"Global\\br.com.tavex.Tavex");
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // Nobody answered, so the socket is one left behind (or another copy is starting at
        // this very moment: it is asked once more before the socket is taken over).
        if (m_server->serverError() != QAbstractSocket::AddressInUseError)
            return true;
        if (askRunningCopy())
            return false;
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return true;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        bool asked = false;
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            socket->abort();
            socket->deleteLater();
            asked = true;
        }
        if (asked)
            emit raiseRequested();
    });
    return true;
}

} // namespace tavex
