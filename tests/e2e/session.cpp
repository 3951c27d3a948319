#include "session.h"

#include "relaybuttons.h"

namespace tavex::test {

Session::Session(const QString &display) : Session(display, QStringLiteral(TAVEX_PROGRAM)) { }

Session::Session(const QString &display, const QString &program)
    : m_desktop(display),
      m_board(QStringLiteral(TAVEX_BOARDSIM_PROGRAM)),
      m_program(program, display)
{
}

bool Session::startBoard(const QString &linkName)
{
    return m_scratch.isValid()
            && m_board.start(path(linkName), path(QStringLiteral("board.record")));
}

bool Session::clickRelay(WindowId window, int relay)
{
    return m_desktop.click(window, relayButtonCentre(relay));
}

QString Session::report() const
{
    QString text;
    const auto section = [&text](const QString &title, const QString &body) {
        if (!body.trimmed().isEmpty())
            text += QStringLiteral("--- %1\n%2\n").arg(title, body.trimmed());
    };
    section(QStringLiteral("program error"), m_program.error());
    section(QStringLiteral("program ending"), m_program.ending());
    section(QStringLiteral("program output"), m_program.output());
    section(QStringLiteral("simulator error"), m_board.error());
    section(QStringLiteral("simulator output"), m_board.output());
    section(QStringLiteral("last X tool error"), m_desktop.lastError());
    return text;
}

} // namespace tavex::test
