#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QSocketNotifier;

namespace tavex {

// Keeps the program to one running copy per user. On Linux the first copy takes a lock, a file
// lock in the user's runtime directory that the kernel drops when the copy ends however it
// ends, and then listens on a Unix socket beside it; a later copy finds the lock taken, asks
// the first through the socket to come to the front, and should then end without doing
// anything else. On Windows the first copy listens on a named pipe.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // The socket of the current user.
    static QString standardName();

    explicit SingleInstance(QString name = standardName(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only copy: it now listens. False when another copy runs and has
    // been asked to come to the front. A socket left behind by a copy that was killed is
    // taken over. On Linux a runtime directory that is missing, not the user's own with mode
    // 0700, or that cannot hold the lock or the socket, is replaced by a directory of the
    // user's own in the cache folder; when no lock can be had at all the program runs all
    // the same, and says so on its standard error.
    bool claim();

signals:
    // Another copy was started and asks this one to show its window.
    void raiseRequested();

private:
    bool askRunningCopy();

    QString m_name;
#ifdef Q_OS_WIN
    QLocalServer *m_server = nullptr;
#else
    bool listen();

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
