#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "ptyline.h"
#include "recordwriter.h"
#include "relayboard.h"

namespace tavex::boardsim {

// The board on its line: reads command bytes from the pty, keeps the relay
// states, reports every byte, and takes control commands from stdin.
class Simulator
{
public:
    Simulator(RecordWriter &record, int signalFd);

    // Opens the line at linkPath; on failure returns false and sets error.
    bool start(const std::string &linkPath, std::string &error);

    // Runs until "quit" or a termination signal; returns the exit code.
    int run();

private:
    void readLine();
    void handleByte(unsigned char byte);
    void readControl();
    void handleControl(std::string_view line);
    void drop();
    void restore(const std::string &linkPath);
    double elapsedMs() const;

    RecordWriter &m_record;
    int m_signalFd;
    PtyLine m_line;
    RelayBoard m_board;
    std::string m_currentPath;
    std::string m_controlBuffer;
    bool m_controlOpen = true;
    bool m_quit = false;
    timespec m_started{};
};

} // namespace tavex::boardsim
