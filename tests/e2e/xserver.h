#pragma once

#include <QProcess>
#include <QString>

namespace tavex::test {

// A private Xvfb on the first free display, for the lifetime of the object.
class XServer
{
public:
    XServer() = default;
    ~XServer();
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    // Starts the server and waits until it accepts clients.
    bool start();
    void stop();

    // ":N" once started.
    QString display() const { return m_display; }
    QString error() const { return m_error; }

private:
    QProcess m_process;
    QString m_display;
    QString m_error;
};

} // namespace tavex::test
