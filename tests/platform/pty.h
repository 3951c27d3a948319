#pragma once

#include <QByteArray>
#include <QString>

#include <termios.h>

namespace tavex::test {

// A pseudo-terminal standing in for a serial device: the test holds the master side and the
// code under test opens the slave side by its path.
class Pty
{
public:
    Pty();
    ~Pty();
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // The line settings of the slave side as the code under test left them.
    bool lineSettings(termios *settings) const;
    bool setLineSettings(const termios &settings);

    // Everything that reaches the master within the timeout: waits up to firstByteMs for the
    // first byte, then collects whatever follows within quietMs of the last.
    QByteArray read(int firstByteMs = 2000, int quietMs = 150);

    // The device goes away: the slave side hangs up and its node is removed.
    void closeMaster();

private:
    int m_master = -1;
    QString m_slavePath;
};

} // namespace tavex::test
