// The daily schedule of the running program, its clock faked, against the board simulator.

#include "e2etest.h"
#include "relaybuttons.h"

#include <QTest>

namespace tavex::test {

namespace {

// Relay 1's switch-off minute box, in the window.
constexpr QPoint kOffMinuteBox{636, 114};

} // namespace

class TestE2eSchedule : public E2eTest
{
    Q_OBJECT

private slots:
    void switchesOnAndOffByItself();
};

void TestE2eSchedule::switchesOnAndOffByItself()
{
    // The wall clock starts a minute before midnight and runs six times faster, so each
    // ten-second tick of the schedule's real timer sees the next minute.
    session().program().setLauncher(
            {QStringLiteral("faketime"), QStringLiteral("-f"), QStringLiteral("@2026-12-06 23:59:00 x6")},
            {{QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1")}});
    const WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());

    // On at "0 h" "00", as the boxes start; off at "0 h" "01", typed.
    QVERIFY(desktop().click(window, kOffMinuteBox));
    for (const char *key : {"ctrl+a", "0", "1"})
        QVERIFY2(pressKey(window, QString::fromLatin1(key)), why());
    QVERIFY(desktop().click(window, armBox(1)));

    // The armed schedule holds the relay's button.
    QVERIFY2(clickRelay(window, 1), why());
    QVERIFY2(expectNothingMoreFor(1500), why());

    // The first tick, ten seconds after arming, finds midnight; the next one 00:01.
    board().waitForRecords(9, 15000);
    QVERIFY2(expectBytes("1"), why());
    board().waitForRecords(10, 15000);
    QVERIFY2(expectBytes("2"), why());
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eSchedule)
#include "tst_e2e_schedule.moc"
