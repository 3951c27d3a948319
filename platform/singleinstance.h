#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QSocketNotifier;

namespace tavex {

// Keeps the program to one running copy per user. The first copy listens on a local socket
// (a Unix socket in the user's runtime directory; a named pipe on Windows); a later copy that reaches it
// asks it to come to the front, and should then end without doing anything else.
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
    // taken over; when no socket can be had at all the program runs all the same.
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
    // The listening socket; its file is removed when this copy ends.
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
#endif
};

} // namespace tavex
