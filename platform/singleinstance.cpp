#include "platform/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tavex {

namespace {

constexpr int kWaitMs = 1000;

} // namespace

QString SingleInstance::standardName()
{
#ifdef Q_OS_WIN
    // A pipe name; the user's name keeps users apart on one machine.
    return QStringLiteral("tavex-") + qEnvironmentVariable("USERNAME");
#else
    // $XDG_RUNTIME_DIR, or a directory of the user's own that Qt makes when it is not set.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : QDir(runtime).filePath(QStringLiteral("tavex.socket"));
#endif
}

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name))
{
}

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
