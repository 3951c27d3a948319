// Start-up of the built program, with and without the board.

#include "e2etest.h"

#include <QFileInfo>
#include <QTest>

#include <csignal>

namespace tavex::test {

class TestE2eStartup : public E2eTest
{
    Q_OBJECT

private slots:
    void withBoard();
    void withoutBoard();
    void endsOnSignal_data();
    void endsOnSignal();
};

void TestE2eStartup::withBoard()
{
    // Waits for the window and checks the board got "2468BDFH", in that order.
    const WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());

    const auto geometry = desktop().geometry(window);
    QVERIFY2(geometry, qPrintable(desktop().lastError()));
    QCOMPARE(geometry->size(), QSize(765, 481));

    // No communication error, and nothing more written, while the program sits idle.
    QVERIFY2(noWindowFor(kNoBoardTitle, 1000), why());
    QVERIFY2(expectNothingMoreFor(0), why());
}

void TestE2eStartup::withoutBoard()
{
    // The board is there, but on a device no port number leads to; every number leads to
    // a path where nothing exists.
    QVERIFY2(session().startBoard(QStringLiteral("unlisted")), qPrintable(session().report()));
    QVERIFY2(session().startProgram(), qPrintable(session().report()));

    QVERIFY2(answerMessage(kNoBoardTitle), why());
    const WindowId window = waitForWindow(kMainWindowTitle);
    QVERIFY2(window != 0, why());
    const auto geometry = desktop().geometry(window);
    QVERIFY2(geometry, qPrintable(desktop().lastError()));
    QCOMPARE(geometry->size(), QSize(765, 481));

    // Nothing was written: not to the board, and no port path came into being.
    QVERIFY2(expectNothingMoreFor(500), why());
    for (int number = TavexProcess::kFirstPortNumber; number <= TavexProcess::kLastPortNumber;
         ++number) {
        const QString device = session().program().deviceFor(number);
        QVERIFY2(!QFileInfo::exists(device), qPrintable(device + QStringLiteral(" was created")));
    }
}

void TestE2eStartup::endsOnSignal_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestE2eStartup::endsOnSignal()
{
    // As closing the window does: a normal end, and the serial port's lock file goes with it.
    QFETCH(int, signalNumber);
    QVERIFY2(startWithBoard() != 0, why());
    const QString lock = QStringLiteral("/var/lock/LCK..")
            + session().path(QStringLiteral("board")).replace(u'/', u'_');
    QVERIFY2(QFileInfo::exists(lock), qPrintable(lock + QStringLiteral(" is missing")));

    QVERIFY2(endProgramWith(signalNumber), why());
    QCOMPARE(session().program().ending(), QStringLiteral("exited with code 0"));
    QVERIFY2(!QFileInfo::exists(lock), qPrintable(lock + QStringLiteral(" was left behind")));
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eStartup)
#include "tst_e2e_startup.moc"
