#include "commands/reply.h"

namespace tavex {

QByteArray replyBytes(const Reply &reply)
{
    return QByteArray::number(int(reply.status)) + '\n' + reply.text.toUtf8();
}

std::optional<Reply> parseReply(QByteArrayView bytes)
{
    if (bytes.size() < 2 || bytes[1] != '\n' || bytes[0] < '0' || bytes[0] > '4')
        return std::nullopt;
    return Reply{CommandStatus(bytes[0] - '0'), QString::fromUtf8(bytes.sliced(2))};
}

RequestFrame::State RequestFrame::add(QByteArrayView bytes)
{
    if (m_state != State::Incomplete)
        return m_state;
    const qsizetype end = bytes.indexOf('\n');
    const QByteArrayView taken = end < 0 ? bytes : bytes.first(end + 1);
    if (taken.size() > room()) {
        m_state = State::TooLong;
        m_line.clear();
    } else {
        m_line.append(taken);
        if (end >= 0)
            m_state = State::Complete;
    }
    return m_state;
}

} // namespace tavex
