// Start-up of the built program with no board it may open, a second start, and its end by
// the window's close box or on a signal. (The start-up with the board begins every other
// journey.)

#include "e2etest.h"
#include "../support/files.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <unistd.h>

namespace tavex::test {

class TestE2eStartup : public E2eTest
{
    Q_OBJECT

private slots:
    void withoutBoard_data()
    {
        QTest::addColumn<bool>("refused");
        // The board is there, but on a device no port number leads to; every number leads to
        // a path where nothing exists.
        QTest::newRow("no device") << false;
        // COM3 leads to the board, whose device the user may not open.
        QTest::newRow("permission denied") << true;
    }

    void withoutBoard()
    {
        QFETCH(bool, refused);
        const QString link = program().path(refused ? u"board"_s : u"unlisted"_s);
        QVERIFY(board().start(link));
        if (refused) {
            program().mapPort(3, link);
            // Root may open it all the same: then the program runs as nobody.
            QVERIFY(QFile::setPermissions(QFileInfo(link).symLinkTarget(), {}));
            if (::getuid() == 0)
                program().runAsNobody();
        }
        QVERIFY(program().start());

        // The box's details name every port tried and why it failed. Opened by the button next
        // to OK, they are selected and copied as a user would.
        const WindowId box = desktop().waitForWindow(kNoBoardTitle);
        QVERIFY(box != 0 && desktop().pressKeys(box, u"Tab space ctrl+a ctrl+c"_s));
        QString copied;
        QVERIFY(waitUntil([&] { return (copied = desktop().clipboard()).contains(u"COM 18"_s); }, kWindowTimeoutMs, 100));
        QCOMPARE(copied.contains(u"grupo dialout. Execute num terminal:\nsudo adduser $USER dialout"_s), refused);

        // Return would work the details button that has the focus now.
        QVERIFY(answerMessage(kNoBoardTitle, u"Escape"_s));
        const WindowId window = desktop().waitForWindow(kMainWindowTitle);
        QCOMPARE(desktop().geometry(window).value_or(QRect()).size(), QSize(765, 481));

        // Nothing was written: not to the board, and no port path came into being. The details
        // named each port from COM 3 on, and why it did not open.
        QVERIFY(expectNothingMoreFor(500));
        for (int number = 1; number <= TavexProcess::kLastPortNumber; ++number) {
            const QString device = program().deviceFor(number);
            const QString why = device == link ? u"sem permissão de acesso"_s : u"não existe neste computador"_s;
            QVERIFY2((device == link || !QFileInfo::exists(device))
                             && (number < 3 || copied.contains(u"COM %1 (%2): %3"_s.arg(number).arg(device, why))),
                     qPrintable(device + u" created, or not in: "_s + copied));
        }
    }

    void readOnlyDataFolder()
    {
        // Saved with relay 1's "Ligar Durante:" ticked, in a folder the program may read but not write.
        const QDir folder(program().configDir());
        const QByteArray boxes = QByteArray(" 0 \r\n").repeated(4) + " 1 \r\n" + QByteArray(" 0 \r\n").repeated(5);
        QVERIFY(writeFile(folder.filePath(u"tavex.ini"_s), QByteArray("0 h\r\n00\r\n").repeated(8) + boxes)
                && writeFile(folder.filePath(u"PORTAS.INI"_s), {}));
        const QString link = program().path(u"board"_s);
        program().mapPort(3, link);
        QVERIFY(board().start(link));
        if (::getuid() == 0) {
            // Root may write anywhere: the program runs as nobody, in a folder that stays root's.
            QVERIFY(QFile::setPermissions(QFileInfo(link).symLinkTarget(), QFile::ReadOther | QFile::WriteOther));
            program().runAsNobody();
            QCOMPARE(QProcess::execute(u"chown"_s, {u"root:root"_s, folder.path()}), 0);
        }
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(program().start());

        // Every relay is off before the warning shows beside the window (which is 765 x 481).
        QVERIFY(expectBytes("2468BDFH"));
        QList<WindowId> windows;
        QVERIFY(waitUntil([&] { return (windows = desktop().windows(kMainWindowTitle).value_or(windows)).size() == 2; },
                          kWindowTimeoutMs));
        if (desktop().geometry(windows.first()).value_or(QRect()).size() == QSize(765, 481))
            windows.swapItemsAt(0, 1);
        QVERIFY(desktop().pressKeys(windows.first(), u"Return"_s));
        QVERIFY(waitUntil([&] { return desktop().windows(kMainWindowTitle).value_or(windows).size() == 1; },
                          kWindowTimeoutMs));
        // The saved settings apply all the same: relay 1 goes off after its one second.
        QVERIFY(clickRelay(windows.last(), 1) && expectBytes("1") && expectBytes("2", 5000));
    }

    void endsOnSignal_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void endsOnSignal()
    {
        // As closing the window does: a normal end, and the serial port's lock file goes with it.
        // An armed schedule asks nothing then.
        QFETCH(int, signalNumber);
        const WindowId window = startWithBoard();
        QVERIFY(window != 0);
        // The window carries the program's own icon.
        QVERIFY(desktop().iconSize(window).value_or(QSize()).width() >= 16);
        QVERIFY(desktop().click(window, armBox(1)) && clickRelay(window, 1) && expectNothingMoreFor(500));
        // The close box asks while the schedule is armed, though no countdown runs.
        QVERIFY(closeAndKeepRunning(window));
        const QString lock = u"/var/lock/LCK.."_s + program().path(u"board"_s).replace(u'/', u'_');
        QVERIFY2(QFileInfo::exists(lock), qPrintable(lock + u" is missing"_s));

        QVERIFY(endProgramWith(signalNumber));
        QCOMPARE(program().ending(), u"exited with code 0"_s);
        QVERIFY2(!QFileInfo::exists(lock), qPrintable(lock + u" was left behind"_s));
    }

    void closingAndASecondStart()
    {
        const WindowId window = startWithBoard();
        QVERIFY(window != 0);
        // Relay 1 on for five seconds.
        QVERIFY(desktop().click(window, durationField(1)) && desktop().pressKeys(window, u"ctrl+a 5"_s));
        QVERIFY(desktop().click(window, durationBox(1)) && clickRelay(window, 1) && expectBytes("1"));

        // The close box asks first; Escape keeps it all.
        QVERIFY(closeAndKeepRunning(window));

        // A second start as the same user, on the display: no window, nothing written, and it
        // ends by itself with status 0.
        QCOMPARE(program().runCommand({}, true).status, 0);
        QCOMPARE(desktop().windows(kMainWindowTitle).value_or(QList<WindowId>()).size(), 1);

        // The countdown ends on time; with nothing running, the close box ends the program.
        QVERIFY(expectBytes("2") && closeProgram(window));
        QCOMPARE(program().ending(), u"exited with code 0"_s);
    }

    // Last: a program started with its clock faked unsettles the display's clicks for the
    // journeys after it.
    void ownPortOnAFullDisk()
    {
        // Saved with the own-port option and relay 1's schedule (on at 00:00), in a folder whose
        // files may not grow past 100 bytes: the save that the option makes at every start
        // fails. The board hangs on COM1. The clock starts at 23:59:50, twice as fast.
        QVERIFY(writeFile(program().configDir() + u"/tavex.ini"_s,
                          QByteArray("0 h\r\n00\r\n0 h\r\n05\r\n") + QByteArray("0 h\r\n00\r\n").repeated(6)
                                  + " 1 \r\n" + QByteArray(" 0 \r\n").repeated(8) + " 1 \r\n"));
        const QString link = program().path(u"board"_s);
        program().mapPort(1, link);
        QVERIFY(board().start(link));
        program().setLauncher({u"faketime"_s, u"-f"_s, u"@2026-12-06 23:59:50 x2"_s, u"sh"_s, u"-c"_s,
                               u"trap '' XFSZ; exec prlimit --fsize=100 \"$0\""_s},
                              {{u"FAKETIME_DONT_FAKE_MONOTONIC"_s, u"1"_s}});
        QVERIFY(program().start());

        // Every relay is off before the save's warning shows beside the window; no cable
        // message, and the schedule switches relay 1 on at midnight behind the warning.
        QVERIFY(expectBytes("2468BDFH"));
        QVERIFY(waitUntil([&] { return desktop().windows(kMainWindowTitle).value_or(QList<WindowId>()).size() == 2; },
                          kWindowTimeoutMs));
        QVERIFY(expectBytes("1", 20000));
        QCOMPARE(desktop().windows(kCableLossTitle).value_or(QList<WindowId>{0}), QList<WindowId>());
        // The warning is answered: a box left open on the shared display would take the next
        // journey's first click.
        QList<WindowId> windows = desktop().windows(kMainWindowTitle).value_or(QList<WindowId>());
        if (desktop().geometry(windows.value(0)).value_or(QRect()).size() == QSize(765, 481))
            windows.swapItemsAt(0, 1);
        QVERIFY(windows.size() == 2 && desktop().pressKeys(windows.first(), u"Return"_s));
        QVERIFY(waitUntil([&] { return desktop().windows(kMainWindowTitle).value_or(windows).size() == 1; },
                          kWindowTimeoutMs));
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eStartup)
#include "tst_e2e_startup.moc"
