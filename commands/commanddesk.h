#pragma once

#include "commands/boardstate.h"
#include "commands/reply.h"
#include "commands/request.h"

#include <QObject>

#include <functional>

namespace tavex {

class RelayBoard;

// Answers the requests that other programs hand to the running copy. A switch is asked of
// the relay board as a click asks it, under the cause "comando"; a relay that its armed
// schedule holds is refused, and one already in the asked state is left alone.
class CommandDesk : public QObject
{
    Q_OBJECT

public:
    // What the window shows of relay N beyond the board's state.
    using ExtrasSource = std::function<RelayExtras(int relay)>;

    CommandDesk(RelayBoard &board, ExtrasSource extras, QObject *parent = nullptr);

    // The answer to one request line, as it goes back on the wire.
    QByteArray answer(QByteArrayView line);
    Reply answer(const Request &request);

    BoardState state() const;

signals:
    // A second start of the window asks for the running one.
    void showRequested();
    // A switch could not be written: the board is gone. Emitted before the answer is given;
    // whoever tells the user does it after (a queued connection).
    void switchFailed(int relay);

private:
    Reply switchRelay(const Request &request);

    RelayBoard &m_board;
    ExtrasSource m_extras;
};

} // namespace tavex
