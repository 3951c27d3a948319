#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <chrono>
#include <optional>

namespace tavex {

// How a command line ends: its exit status.
enum class CommandStatus {
    Done = 0,       // made, or nothing to make
    NotWritten = 1, // the command could not be written: the board is gone
    BadUse = 2,     // no such verb, relay or argument; nothing was sent
    NotOpen = 3,    // no TAVEX running, or none that answered
    Held = 4,       // the relay's armed schedule holds it; nothing was written
};

// The running copy's answer: the status and the text to print, on the standard output for
// Done, on the standard error otherwise.
struct Reply
{
    CommandStatus status = CommandStatus::Done;
    QString text;
};

// On the wire: the status's digit, a line end, the text in UTF-8; the connection's end ends it.
QByteArray replyBytes(const Reply &reply);
// Nothing when the bytes are no answer (a copy that ended in the middle of one).
std::optional<Reply> parseReply(QByteArrayView bytes);

// The bounds of one request, for a peer that is slow, silent or hostile: its size with the
// line end, the time from its connection to its line end, and how many are served at once.
inline constexpr qsizetype kMaxRequestBytes = 256;
inline constexpr std::chrono::milliseconds kRequestTime{2000};
inline constexpr int kMaxPeers = 16;
// How long a command line waits for the running copy: to reach it while it is starting, and
// for its answer.
inline constexpr std::chrono::milliseconds kReachTime{2000};
inline constexpr std::chrono::milliseconds kAnswerTime{5000};

// What a second start of the window asks: a connection closed before it said anything
// means the same.
inline constexpr QByteArrayView kShowRequest = "mostrar\n";

// Collects a request's bytes as they arrive.
class RequestFrame
{
public:
    enum class State { Incomplete, Complete, TooLong };

    // Takes what arrived; bytes after the line end are ignored.
    State add(QByteArrayView bytes);
    State state() const { return m_state; }
    // The request with its line end, once Complete.
    const QByteArray &line() const { return m_line; }
    // How many bytes may still arrive without the request becoming too long.
    qsizetype room() const { return kMaxRequestBytes - m_line.size(); }

private:
    QByteArray m_line;
    State m_state = State::Incomplete;
};

} // namespace tavex
