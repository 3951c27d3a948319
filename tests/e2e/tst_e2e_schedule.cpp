// The daily schedule of the running program, its clock faked, against the board simulator.

#include "e2etest.h"
#include "../support/files.h"

#include <QDir>

namespace tavex::test {

// Relay 1's switch-off minute box, in the window.
constexpr QPoint kOffMinuteBox{636, 114};

class TestE2eSchedule : public E2eTest
{
    Q_OBJECT

private slots:
    void switchesOnAndOffByItself()
    {
        // The settings file cannot be written: a directory stands in its place.
        QVERIFY(QDir().mkpath(program().configDir() + u"/tavex.ini"_s));
        // The wall clock starts 90 s before midnight and runs six times faster (faketime's
        // "@<time> x<factor>"): each ten-second tick of the schedule's real timer sees the next
        // minute, and the program has 15 s to start and be armed.
        program().setLauncher({u"faketime"_s, u"-f"_s, u"@2026-12-06 23:58:30 x6"_s},
                              {{u"FAKETIME_DONT_FAKE_MONOTONIC"_s, u"1"_s}});
        const WindowId window = startWithBoard();
        QVERIFY(window != 0);

        // On at "0 h" "00", as the boxes start; off at "0 h" "01", typed.
        QVERIFY(desktop().click(window, kOffMinuteBox) && desktop().pressKeys(window, u"ctrl+a 0 1"_s));
        QVERIFY(desktop().click(window, armBox(1)));

        // The armed schedule holds the relay's button.
        QVERIFY(clickRelay(window, 1) && expectNothingMoreFor(1500));

        // The failed save's warning is left open: a tick finds midnight all the same.
        QVERIFY(desktop().click(window, kSaveTimesButton));
        QVERIFY(waitUntil([&] { return desktop().windows(kMainWindowTitle).value_or(QList<WindowId>()).size() == 2; },
                          kWindowTimeoutMs));
        QVERIFY(expectBytes("1", 25000));
        const QList<WindowId> open = desktop().windows(kMainWindowTitle).value_or(QList<WindowId>());
        QCOMPARE(open.size(), 2);
        QVERIFY(desktop().pressKeys(open.first() == window ? open.last() : open.first(), u"Return"_s));

        // The next tick finds 00:01.
        QVERIFY(expectBytes("2", 15000));

        // The switch record: the start-up's switch-offs, then the schedule's own switches.
        QStringList record;
        for (int relay = 1; relay <= 8; ++relay)
            record << u"relé %1 (RELE %1)  desligado  início"_s.arg(relay);
        record << u"relé 1 (RELE 1)  ligado  agenda"_s << u"relé 1 (RELE 1)  desligado  agenda"_s;
        QTRY_COMPARE_WITH_TIMEOUT(program().switchRecord(), record, kByteTimeoutMs);
    }

    void switchesOnOnceTheCableIsBack()
    {
        // COM4 leads to where the board comes back. Relay 1's schedule saved armed, on at 00:00
        // and off at 00:03; the clock starts at 23:59:15, three times faster: no minute missed.
        const QString otherPlace = program().path(u"board-again"_s);
        program().mapPort(4, otherPlace);
        QVERIFY(writeFile(program().configDir() + u"/tavex.ini"_s,
                          "0 h\r\n00\r\n0 h\r\n03\r\n" + QByteArray("0 h\r\n00\r\n").repeated(6)
                                  + " 1 \r\n" + QByteArray(" 0 \r\n").repeated(9)));
        program().setLauncher({u"faketime"_s, u"-f"_s, u"@2026-12-06 23:59:15 x3"_s},
                              {{u"FAKETIME_DONT_FAKE_MONOTONIC"_s, u"1"_s}});
        QVERIFY(startWithBoard() != 0);

        // The cable is pulled before midnight, so the switch-on fails; it is plugged back, and OK
        // pressed once 00:00 is past (each real second is three).
        QVERIFY(board().drop() && desktop().waitForWindow(kCableLossTitle, 25000) != 0);
        QVERIFY(board().restore(otherPlace));
        pause(25000);
        QVERIFY(answerMessage(kCableLossTitle));
        // The switch-on comes at once, the switch-off at 00:03, and nothing else.
        QVERIFY(expectBytes("1", 3000) && expectBytes("2", 60000));
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eSchedule)
#include "tst_e2e_schedule.moc"
