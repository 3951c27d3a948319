#pragma once

#include "session.h"
#include "xserver.h"

#include <QByteArray>
#include <QObject>

#include <memory>

namespace tavex::test {

// The base of the end-to-end test classes. One X server serves all the functions of a
// class; every function gets a fresh session (board simulator and program).
//
// Each function tells, through expectBytes(), what the board must receive. At its end the
// program must still be running, the board must have received exactly those bytes, and
// never a byte that is not a relay command.
//
// The steps below return false (or 0) when they fail, and why() says what went wrong:
// QVERIFY2(step, why()) ends the test at the first step that fails.
class E2eTest : public QObject
{
    Q_OBJECT

protected:
    Session &session() { return *m_session; }
    Desktop &desktop() { return m_session->desktop(); }
    BoardSim &board() { return m_session->board(); }
    const char *why() const { return m_why.constData(); }

    // Starts the board with COM3 pointing at it, starts the program and waits for its
    // window and its eight switch-off commands. Returns the window.
    WindowId startWithBoard();

    // Waits until `bytes` have arrived after everything expected before; true when the
    // board's whole record is what was expected.
    bool expectBytes(const QByteArray &bytes);
    // True when nothing beyond what was expected arrives for `ms`.
    bool expectNothingMoreFor(int ms);

    WindowId waitForWindow(const QString &title);
    // True when no window titled `title` shows up for `ms`.
    bool noWindowFor(const QString &title, int ms);
    bool clickRelay(WindowId window, int relay);
    bool pressKey(WindowId window, const QString &key);
    // Presses Return on the message box titled `title` and waits until it is gone.
    bool answerMessage(const QString &title);
    // Sends the program `signalNumber` and waits until it has ended; the test then expects
    // it gone at its end rather than running.
    bool endProgramWith(int signalNumber);

private slots:
    void initTestCase();
    void init();
    void cleanup();

private:
    bool fail(const QString &why);
    bool receivedAsExpected();

    XServer m_xserver;
    std::unique_ptr<Session> m_session;
    QByteArray m_expected;
    QByteArray m_why;
    bool m_endExpected = false;
};

} // namespace tavex::test
