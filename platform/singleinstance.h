#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QSocketNotifier;

namespace tavex {

// Keeps the program to one running copy per user, and carries the requests of other programs
// of the same user to it. On Linux the first copy takes a lock, a file lock in the user's
// runtime directory that the kernel drops when the copy ends however it ends, and then
// listens on a Unix socket beside it, which only the user may reach; on Windows it listens
// on a named pipe of the user's own.
//
// A request is one line; the copy answers it and closes the connection. A connection closed
// before it said anything asks for the window. A peer that sends
// more than a request's bound, or nothing within its time, is dropped without an answer, and
// only so many are served at once (commands/reply.h): no peer can hold the program up.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // Answers one request line with the bytes that go back.
    using RequestHandler = std::function<QByteArray(QByteArrayView line)>;

    enum class Outcome {
        Answered,
        NotRunning, // no copy runs
        NoAnswer,   // a copy runs but did not answer in time
    };
    struct Answer
    {
        Outcome outcome = Outcome::NotRunning;
        QByteArray reply;
    };

    // The socket of the current user.
    static QString standardName();

    explicit SingleInstance(QString name = standardName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only copy: it now listens. False when another copy runs and has
    // been asked to show its window (by a connection that says nothing). A socket left behind by a copy that was
    // killed is taken over. On Linux a runtime directory that is missing, not the user's own
    // with mode 0700, or that cannot hold the lock or the socket, is replaced by a directory
    // of the user's own in the cache folder; when no lock can be had at all the program runs
    // all the same, and says so on its standard error.
    bool claim();

    // Answers the requests that arrive from now on; until then a peer is dropped unanswered.
    void setRequestHandler(RequestHandler handler) { m_handler = std::move(handler); }

    // Hands `request` (one line) to the running copy of the socket `name` and, unless told to wait only
    // for its delivery, waits for its answer. A copy that is starting is waited for while it starts.
    enum class Wait { ForAnswer, ForDelivery };
    static Answer ask(const QString &name, const QByteArray &request, Wait wait = Wait::ForAnswer);

private:
    QString m_name;
    RequestHandler m_handler;
    int m_peerCount = 0;
#ifdef Q_OS_WIN
    QLocalServer *m_server = nullptr;
#else
    bool listen();
    void acceptPeers();

    // The lock held while this copy runs.
    int m_lock = -1;
    // The socket's path, and the listening socket. Its file is removed when this copy ends,
    // if it is still the one this copy made (its inode).
    QByteArray m_socketPath;
    int m_fd = -1;
    quint64 m_socketInode = 0;
    QSocketNotifier *m_notifier = nullptr;
#endif
};

} // namespace tavex
