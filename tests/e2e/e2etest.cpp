#include "e2etest.h"

#include "polling.h"

#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace tavex::test {

namespace {

// The start-up switches every relay off, in relay order.
constexpr char kStartupBytes[] = "2468BDFH";

QString describe(const QList<BoardRecord> &records)
{
    QStringList lines;
    for (const BoardRecord &record : records)
        lines.append(record.line);
    return lines.join(u'\n');
}

} // namespace

void E2eTest::initTestCase()
{
    QVERIFY2(m_xserver.start(), qPrintable(m_xserver.error()));
}

void E2eTest::init()
{
    m_session = std::make_unique<Session>(m_xserver.display());
    m_expected.clear();
    m_why.clear();
    m_endExpected = false;
}

void E2eTest::cleanup()
{
    const bool wasRunning = m_session->program().isRunning();
    // Whatever the program wrote is on the board once it is gone.
    m_session->program().stop();
    pause(200);
    const QList<BoardRecord> records = board().records();
    QByteArray received;
    QStringList notCommands;
    for (const BoardRecord &record : records) {
        received.append(record.byte >= 0 ? char(record.byte) : '?');
        if (!record.isRelayCommand())
            notCommands.append(record.line);
    }
    if (QTest::currentTestFailed() || !wasRunning || !notCommands.isEmpty()
        || received != m_expected)
        qInfo().noquote() << "board record:\n" << describe(records) << "\n" << m_session->report();

    const bool failedAlready = QTest::currentTestFailed();
    m_session.reset();
    QVERIFY2(notCommands.isEmpty(),
             qPrintable(QStringLiteral("not relay commands: ") + notCommands.join(u'|')));
    if (failedAlready)
        return;
    QVERIFY2(wasRunning || m_endExpected, "the program was no longer running at the end of the test");
    QCOMPARE(QString::fromLatin1(received), QString::fromLatin1(m_expected));
}

bool E2eTest::fail(const QString &why)
{
    m_why = why.toUtf8();
    return false;
}

bool E2eTest::receivedAsExpected()
{
    const QByteArray received = board().received();
    if (received == m_expected)
        return true;
    return fail(QStringLiteral("the board received \"%1\", expected \"%2\"")
                        .arg(QString::fromLatin1(received), QString::fromLatin1(m_expected)));
}

WindowId E2eTest::startWithBoard()
{
    if (!session().startBoard(QStringLiteral("board"))) {
        fail(session().report());
        return 0;
    }
    session().program().mapPort(3, session().path(QStringLiteral("board")));
    if (!session().startProgram()) {
        fail(session().report());
        return 0;
    }
    const WindowId window = waitForWindow(kMainWindowTitle);
    if (window == 0 || !expectBytes(kStartupBytes))
        return 0;
    return window;
}

bool E2eTest::expectBytes(const QByteArray &bytes)
{
    m_expected += bytes;
    board().waitForRecords(int(m_expected.size()), kByteTimeoutMs);
    return receivedAsExpected();
}

bool E2eTest::expectNothingMoreFor(int ms)
{
    pause(ms);
    return receivedAsExpected();
}

WindowId E2eTest::waitForWindow(const QString &title)
{
    const WindowId window = desktop().waitForWindow(title, kWindowTimeoutMs);
    if (window == 0)
        fail(QStringLiteral("no window \"%1\" appeared").arg(title));
    return window;
}

bool E2eTest::noWindowFor(const QString &title, int ms)
{
    return !desktop().windowAppearsWithin(title, ms)
            || fail(QStringLiteral("a window \"%1\" appeared").arg(title));
}

bool E2eTest::clickRelay(WindowId window, int relay)
{
    return session().clickRelay(window, relay) || fail(desktop().lastError());
}

bool E2eTest::pressKey(WindowId window, const QString &key)
{
    return desktop().pressKey(window, key) || fail(desktop().lastError());
}

bool E2eTest::answerMessage(const QString &title)
{
    const WindowId box = waitForWindow(title);
    if (box == 0 || !pressKey(box, QStringLiteral("Return")))
        return false;
    return desktop().waitForNoWindow(title, kWindowTimeoutMs)
            || fail(QStringLiteral("the message box \"%1\" stayed open").arg(title));
}

bool E2eTest::endProgramWith(int signalNumber)
{
    m_endExpected = true;
    TavexProcess &program = session().program();
    if (::kill(pid_t(program.pid()), signalNumber) != 0)
        return fail(QStringLiteral("kill: ") + QString::fromLocal8Bit(strerror(errno)));
    return waitUntil([&program] { return !program.isRunning(); }, kWindowTimeoutMs)
            || fail(QStringLiteral("the program did not end on signal %1").arg(signalNumber));
}

} // namespace tavex::test
