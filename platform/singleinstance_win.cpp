#include "platform/singleinstance.h"

#include "commands/reply.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>

#include <windows.h>

namespace tavex {

namespace {

// The most an answer may hold.
constexpr qsizetype kMaxReplyBytes = 1 << 16;

int msLeft(const QDeadlineTimer &deadline)
{
    return int(deadline.remainingTime());
}

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

SingleInstance::Answer SingleInstance::ask(const QString &name, const QByteArray &request, Wait wait)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(int(kReachTime.count())))
        return {Outcome::NotRunning, {}};
    Answer answer{Outcome::NoAnswer, {}};
    const QDeadlineTimer deadline(kAnswerTime);
    if (!request.isEmpty() && (socket.write(request) != request.size() || !socket.waitForBytesWritten(msLeft(deadline))))
        return answer;
    if (wait == Wait::ForDelivery) {
        socket.disconnectFromServer();
        return {Outcome::Answered, {}};
    }
    // The answer ends with the connection.
    while (answer.reply.size() <= kMaxReplyBytes) {
        answer.reply += socket.readAll();
        if (socket.state() != QLocalSocket::ConnectedState)
            break;
        if (!socket.waitForReadyRead(msLeft(deadline)) && socket.state() == QLocalSocket::ConnectedState)
            return answer;
    }
    answer.reply += socket.readAll();
    if (!answer.reply.isEmpty())
        answer.outcome = Outcome::Answered;
    return answer;
}

bool SingleInstance::claim()
{
    if (m_name.isEmpty())
        return true;
    if (ask(m_name, {}, Wait::ForDelivery).outcome != Outcome::NotRunning)
        return false;
    // The mark by which the installer and the uninstaller see this copy running, in any session
    // (packaging/windows/NSIS.template.in); Windows takes it away when the program ends.
    CreateMutexW(nullptr, FALSE, L"Global\\br.com.tavex.Tavex");
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // Nobody answered, so the pipe is one left behind (or another copy is starting at
        // this very moment: it is asked once more before the pipe is taken over).
        if (m_server->serverError() != QAbstractSocket::AddressInUseError)
            return true;
        if (ask(m_name, {}, Wait::ForDelivery).outcome != Outcome::NotRunning)
            return false;
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return true;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server->nextPendingConnection()) {
            if (m_peerCount >= kMaxPeers) {
                peer->abort();
                peer->deleteLater();
                continue;
            }
            ++m_peerCount;
            connect(peer, &QObject::destroyed, this, [this] { --m_peerCount; });
            // A peer is answered once its line is in, or dropped: too long, or too slow. What it
            // wrote before going away is still read; one that goes away without a word asks for
            // the window.
            auto frame = std::make_shared<RequestFrame>();
            const auto drop = [peer] {
                peer->abort();
                peer->deleteLater();
            };
            const auto readRequest = [this, peer, frame, drop] {
                if (frame->state() != RequestFrame::State::Incomplete || peer->bytesAvailable() == 0)
                    return;
                const auto state = frame->add(peer->read(frame->room() + 1));
                if (state == RequestFrame::State::TooLong) {
                    drop();
                } else if (state == RequestFrame::State::Complete) {
                    if (m_handler)
                        peer->write(m_handler(frame->line()));
                    peer->disconnectFromServer();
                }
            };
            QTimer::singleShot(kRequestTime, peer, drop);
            connect(peer, &QLocalSocket::readyRead, peer, readRequest);
            connect(peer, &QLocalSocket::disconnected, peer, [this, peer, frame, readRequest] {
                readRequest();
                if (frame->line().isEmpty() && frame->state() == RequestFrame::State::Incomplete && m_handler)
                    m_handler(kShowRequest);
                peer->deleteLater();
            });
            readRequest();
        }
    });
    return true;
}

} // namespace tavex
