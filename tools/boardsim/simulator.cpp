#include "simulator.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include "eventformat.h"

namespace tavex::boardsim {

namespace {

// Pause used when the pty reports a hang-up we did not expect, so that a
// misbehaving line can never make the loop spin.
constexpr useconds_t hangupPauseUs = 50 * 1000;

// Every line goes out at once: tests read us through a pipe.
void printLine(const std::string &line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::int64_t epochMicroseconds()
{
    timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

std::string_view trimmed(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

Simulator::Simulator(RecordWriter &record, int signalFd)
    : m_record(record)
    , m_signalFd(signalFd)
{
    ::clock_gettime(CLOCK_MONOTONIC, &m_started);
}

bool Simulator::start(const std::string &linkPath, std::string &error)
{
    if (!m_line.open(linkPath, error))
        return false;
    m_currentPath = linkPath;
    printLine("ready " + m_currentPath + " -> " + m_line.slaveName());
    return true;
}

int Simulator::run()
{
    while (!m_quit) {
        pollfd fds[3] = {
            {m_signalFd, POLLIN, 0},
            {m_line.isOpen() ? m_line.masterFd() : -1, POLLIN, 0},
            // After end of input stdin stays readable forever; leave it out.
            {m_controlOpen ? STDIN_FILENO : -1, POLLIN, 0},
        };
        if (::poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("tavex-boardsim: poll");
            return 1;
        }

        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info;
            if (::read(m_signalFd, &info, sizeof info) > 0)
                m_quit = true;
        }
        if (!m_quit && fds[1].revents) {
            if (fds[1].revents & POLLIN)
                readLine();
            else if (fds[1].revents & (POLLHUP | POLLERR))
                ::usleep(hangupPauseUs);
        }
        if (!m_quit && fds[2].revents)
            readControl();
    }
    m_line.close();
    return 0;
}

void Simulator::readLine()
{
    unsigned char buffer[256];
    for (;;) {
        const ssize_t n = ::read(m_line.masterFd(), buffer, sizeof buffer);
        if (n > 0) {
            for (ssize_t i = 0; i < n; ++i)
                handleByte(buffer[i]);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // EIO or end of file: the slave side is gone although we hold it.
        ::usleep(hangupPauseUs);
        return;
    }
}

void Simulator::handleByte(unsigned char byte)
{
    const std::int64_t epochUs = epochMicroseconds();
    const std::optional<RelayCommand> command = decodeCommand(byte);
    if (command)
        m_board.apply(*command);
    m_record.writeLine(formatRecordLine(epochUs, byte, command));
    printLine(formatConsoleLine(elapsedMs(), byte, command));
    printLine(m_board.stateLine());
}

void Simulator::readControl()
{
    char buffer[512];
    ssize_t n;
    do {
        n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    } while (n < 0 && errno == EINTR);

    if (n <= 0) {
        // End of input (or a broken stdin): keep the board running without it.
        m_controlOpen = false;
        if (!m_controlBuffer.empty())
            handleControl(m_controlBuffer);
        m_controlBuffer.clear();
        return;
    }
    m_controlBuffer.append(buffer, size_t(n));
    size_t newline;
    while (!m_quit && (newline = m_controlBuffer.find('\n')) != std::string::npos) {
        const std::string line = m_controlBuffer.substr(0, newline);
        m_controlBuffer.erase(0, newline + 1);
        handleControl(line);
    }
}

void Simulator::handleControl(std::string_view line)
{
    line = trimmed(line);
    if (line.empty())
        return;

    const size_t space = line.find_first_of(" \t");
    const std::string_view word = line.substr(0, space);
    const std::string_view argument =
        space == std::string_view::npos ? std::string_view() : trimmed(line.substr(space));

    if (word == "restore") {
        restore(argument.empty() ? m_currentPath : std::string(argument));
    } else if (!argument.empty()) {
        printLine("error: unknown command");
    } else if (word == "drop") {
        drop();
    } else if (word == "state") {
        printLine(m_board.stateLine());
    } else if (word == "quit") {
        m_quit = true;
    } else {
        printLine("error: unknown command");
    }
}

void Simulator::drop()
{
    m_line.close();
    printLine("dropped");
}

void Simulator::restore(const std::string &linkPath)
{
    // A replug without an unplug still goes through a cut line.
    if (m_line.isOpen())
        drop();
    std::string error;
    if (!m_line.open(linkPath, error)) {
        printLine("error: " + error);
        return;
    }
    m_currentPath = linkPath;
    printLine("restored " + m_currentPath + " -> " + m_line.slaveName());
}

double Simulator::elapsedMs() const
{
    timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec - m_started.tv_sec) * 1000.0
        + double(now.tv_nsec - m_started.tv_nsec) / 1e6;
}

} // namespace tavex::boardsim
