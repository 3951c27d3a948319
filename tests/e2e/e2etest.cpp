#include "e2etest.h"

#include <csignal>

namespace tavex::test {

void E2eTest::initTestCase()
{
    QVERIFY2(m_desktop.startServer(), qPrintable(m_desktop.lastError()));
}

void E2eTest::init()
{
    m_board.emplace();
    m_program.emplace(m_desktop.display(), programPath());
    prepareProgram(*m_program);
    m_expected.clear();
    m_endExpected = false;
}

void E2eTest::cleanup()
{
    const bool wasRunning = program().isRunning();
    // Whatever the program wrote is on the board once it is gone.
    program().stop();
    pause(200);
    const QByteArray received = board().received();
    QStringList notCommands;
    for (const BoardRecord &record : board().records())
        if (!record.isRelayCommand())
            notCommands.append(record.line);
    const bool failedAlready = QTest::currentTestFailed();
    if (failedAlready || !(wasRunning || m_endExpected) || !notCommands.isEmpty()
        || received != m_expected)
        qInfo().noquote() << u"the board received \"%1\", expected \"%2\"\n%3"_s.arg(
                QString::fromLatin1(received), QString::fromLatin1(m_expected),
                report(program(), board(), desktop()));
    m_board.reset();
    m_program.reset();
    QVERIFY2(notCommands.isEmpty(), qPrintable(u"not relay commands: "_s + notCommands.join(u'|')));
    if (failedAlready)
        return;
    QVERIFY2(wasRunning || m_endExpected, "the program had ended before the end of the test");
    QCOMPARE(QString::fromLatin1(received), QString::fromLatin1(m_expected));
}

WindowId E2eTest::startWithBoard()
{
    const QString link = program().path(u"board"_s);
    program().mapPort(3, link);
    if (!board().start(link) || !program().start())
        return 0;
    const WindowId window = desktop().waitForWindow(kMainWindowTitle);
    // The start-up switches every relay off, in relay order.
    return window != 0 && expectBytes("2468BDFH") ? window : 0;
}

bool E2eTest::expectBytes(const QByteArray &bytes, int timeoutMs)
{
    m_expected += bytes;
    board().waitForRecords(int(m_expected.size()), timeoutMs);
    return board().received() == m_expected;
}

bool E2eTest::command(const QString &arguments, int status, const QByteArray &bytes, const QString &text)
{
    const TavexProcess::CommandRun run = program().runCommand(arguments.split(u' '));
    const bool printed = (status == 0 ? run.out : run.err) == text + u'\n' && (status == 0 ? run.err : run.out).isEmpty();
    if (run.status == status && printed && expectBytes(bytes))
        return true;
    qInfo().noquote() << u"tavex %1: status %2, out \"%3\", err \"%4\""_s.arg(arguments).arg(run.status).arg(run.out, run.err);
    return false;
}

bool E2eTest::answerMessage(const QString &title, const QString &key)
{
    const WindowId box = desktop().waitForWindow(title);
    return box != 0 && desktop().pressKeys(box, key) && desktop().waitForNoWindow(title);
}

bool E2eTest::endProgramWith(int signalNumber)
{
    m_endExpected = true;
    return ::kill(pid_t(program().pid()), signalNumber) == 0
            && waitUntil([this] { return !program().isRunning(); }, kWindowTimeoutMs);
}

bool E2eTest::closeProgram(WindowId window)
{
    m_endExpected = true;
    return desktop().close(window)
            && waitUntil([this] { return !program().isRunning(); }, kWindowTimeoutMs);
}

bool E2eTest::closeAndKeepRunning(WindowId window)
{
    // A key pressed as the box maps may come before it takes the focus: it is pressed again.
    const QString title = u"Fechar o TAVEX"_s;
    if (!desktop().close(window))
        return false;
    const WindowId question = desktop().waitForWindow(title);
    return question != 0 && waitUntil([&] {
        desktop().pressKeys(question, u"Escape"_s);
        return desktop().waitForNoWindow(title, 1000);
    }, kWindowTimeoutMs) && program().isRunning();
}

} // namespace tavex::test
