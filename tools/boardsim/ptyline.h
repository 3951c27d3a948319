#pragma once

#include <string>

namespace tavex::boardsim {

// The serial line: a pseudo-terminal whose slave side is reachable through a
// symlink, so the program under test opens the link as if it were the board's
// serial device. Closing the line is a pulled cable: the program's open
// descriptor gets EIO and the link is gone.
class PtyLine
{
public:
    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine &) = delete;
    PtyLine &operator=(const PtyLine &) = delete;

    // Opens a fresh pty in raw mode and points linkPath at its slave. An
    // existing symlink at linkPath is replaced; anything else is left alone
    // and the call fails. On failure returns false and sets error.
    bool open(const std::string &linkPath, std::string &error);

    // Closes both ends and removes the link if it still points at our slave.
    void close();

    bool isOpen() const { return m_masterFd >= 0; }
    int masterFd() const { return m_masterFd; }
    const std::string &slaveName() const { return m_slaveName; }
    const std::string &linkPath() const { return m_linkPath; }

private:
    void closeDescriptors();
    void removeLink();

    int m_masterFd = -1;
    // Held open for the pty's whole life. Without it the master reports
    // POLLHUP and read() fails with EIO whenever the program under test has
    // the device closed, which would turn our poll loop into a busy loop.
    int m_slaveFd = -1;
    std::string m_slaveName;
    std::string m_linkPath;
};

} // namespace tavex::boardsim
