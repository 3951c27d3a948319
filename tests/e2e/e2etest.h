#pragma once

#include "harness.h"
#include "relaybuttons.h"

#include <QTest>

namespace tavex::test {

// The base of the end-to-end test classes. One X server serves all the functions of a
// class; every function gets a fresh board simulator and program.
//
// Each function tells, through expectBytes(), what the board must receive. At its end the
// program must still be running, the board must have received exactly those bytes, and
// never a byte that is not a relay command. A function that fails prints the board's
// record and what the programs printed.
class E2eTest : public QObject
{
    Q_OBJECT

protected:
    Desktop &desktop() { return m_desktop; }
    BoardSim &board() { return *m_board; }
    TavexProcess &program() { return *m_program; }
    // The program each function starts (empty: the built TAVEX), and what it is started with.
    virtual QString programPath() const { return {}; }
    virtual void prepareProgram(TavexProcess &) { }

    // Starts the board with COM3 pointing at it, starts the program and waits for its
    // window and its eight switch-off commands. Returns the window, or 0.
    WindowId startWithBoard();
    // Waits until `bytes` have arrived after everything expected before; whether the
    // board's whole record is what was expected.
    bool expectBytes(const QByteArray &bytes, int timeoutMs = kByteTimeoutMs);
    // Whether nothing beyond what was expected arrives for `ms`.
    bool expectNothingMoreFor(int ms) { return pause(ms), expectBytes({}); }
    bool clickRelay(WindowId window, int relay)
    {
        return m_desktop.click(window, relayButtonRect(relay).center());
    }
    // Runs `tavex <arguments>` as a script would (TavexProcess::runCommand): whether it ended
    // with `status` and printed the line `text` alone (on its standard output for status 0,
    // else on its standard error), and the board then received `bytes` (expectBytes).
    bool command(const QString &arguments, int status, const QByteArray &bytes, const QString &text);
    // Presses `key` on the message box titled `title` and waits until it is gone.
    bool answerMessage(const QString &title, const QString &key = u"Return"_s);
    // Sends the program `signalNumber` and waits until it has ended; the test then expects
    // it gone at its end rather than running.
    bool endProgramWith(int signalNumber);
    // Closes the window as its close box does and waits until the program has ended.
    bool closeProgram(WindowId window);
    // Closes the window as its close box does, and answers the question that comes with
    // Escape, which keeps it all.
    bool closeAndKeepRunning(WindowId window);

private slots:
    void initTestCase();
    void init();
    void cleanup();

private:
    Desktop m_desktop;
    std::optional<BoardSim> m_board;
    std::optional<TavexProcess> m_program;
    QByteArray m_expected;
    bool m_endExpected = false;
};

} // namespace tavex::test
