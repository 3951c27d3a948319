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

    void cableBackWithoutAKey_data()
    {
        QTest::addColumn<bool>("okBeforeTheCable");
        // Back half a minute after the failed switch-on: the message closes by itself and the
        // switch-on is made, the switch-off at its time.
        QTest::newRow("cable back while the message is open") << false;
        // OK pressed after the switch-off time with the cable still out: when it is back,
        // nothing is sent, since the relay is off as its schedule says.
        QTest::newRow("OK after the off time, the cable back later") << true;
    }

    void cableBackWithoutAKey()
    {
        QFETCH(bool, okBeforeTheCable);
        // Relay 1's schedule saved armed, on at 00:00 and off at 00:01; the clock starts at
        // 23:59:30, three times faster. The cable is pulled before midnight.
        QVERIFY(saveRelay1Schedule("00", "01"));
        program().setLauncher({u"faketime"_s, u"-f"_s, u"@2026-12-06 23:59:30 x3"_s},
                              {{u"FAKETIME_DONT_FAKE_MONOTONIC"_s, u"1"_s}});
        QVERIFY(startWithBoard() != 0);
        QVERIFY(board().drop() && desktop().waitForWindow(kCableLossTitle, 25000) != 0);
        if (okBeforeTheCable) {
            pause(22000);
            QVERIFY(answerMessage(kCableLossTitle));
        } else {
            pause(10000);
        }
        QVERIFY(board().restore(program().path(u"board"_s)));
        QVERIFY(desktop().waitForNoWindow(kCableLossTitle, 5000));
        if (!okBeforeTheCable)
            QVERIFY(expectBytes("1", 5000) && expectBytes("2", 30000));
        QVERIFY(expectNothingMoreFor(3000));
    }

    void startedBeforeTheBoard()
    {
        // The board is plugged in after the start, before relay 1's switch-on at 00:00: the
        // start's message closes by itself, the start-up's switch-offs come, then the schedule's.
        QVERIFY(saveRelay1Schedule("00", "01"));
        const QString link = program().path(u"board"_s);
        program().mapPort(3, link);
        program().setLauncher({u"faketime"_s, u"-f"_s, u"@2026-12-06 23:59:40 x3"_s},
                              {{u"FAKETIME_DONT_FAKE_MONOTONIC"_s, u"1"_s}});
        QVERIFY(program().start() && desktop().waitForWindow(kNoBoardTitle) != 0);
        QVERIFY(board().start(link) && desktop().waitForNoWindow(kNoBoardTitle, 5000));
        QVERIFY(expectBytes("2468BDFH", 1000) && expectBytes("1", 30000) && expectBytes("2", 30000));
        QCOMPARE(desktop().windows(kCableLossTitle).value_or(QList<WindowId>{0}), QList<WindowId>());
    }

    void sleptAcrossTheOnTime()
    {
        // The clock reads a file, so that it can jump: from 23:59:40 to 00:10, over relay 1's
        // switch-on at 00:05, as a laptop that sleeps. The next tick makes it, once.
        const QString clockFile = program().path(u"clock"_s);
        QVERIFY(writeFile(clockFile, "@2026-12-06 23:59:40\n") && saveRelay1Schedule("05", "30"));
        program().setLauncher({u"faketime"_s, u"-f"_s, u"+0"_s, u"env"_s, u"-u"_s, u"FAKETIME"_s},
                              {{u"FAKETIME_DONT_FAKE_MONOTONIC"_s, u"1"_s}, {u"FAKETIME_NO_CACHE"_s, u"1"_s},
                               {u"FAKETIME_TIMESTAMP_FILE"_s, clockFile}});
        QVERIFY(startWithBoard() != 0);
        QVERIFY(writeFile(clockFile, "@2026-12-07 00:10:00\n"));
        QVERIFY(expectBytes("1", 15000) && expectNothingMoreFor(12000));
    }

private:
    // Relay 1's schedule saved armed: on at 00:<on>, off at 00:<off>.
    bool saveRelay1Schedule(const QByteArray &on, const QByteArray &off)
    {
        return writeFile(program().configDir() + u"/tavex.ini"_s,
                         "0 h\r\n" + on + "\r\n0 h\r\n" + off + "\r\n" + QByteArray("0 h\r\n00\r\n").repeated(6)
                                 + " 1 \r\n" + QByteArray(" 0 \r\n").repeated(9));
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eSchedule)
#include "tst_e2e_schedule.moc"
