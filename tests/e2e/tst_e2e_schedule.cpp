// The daily schedule of the running program, its clock faked, against the board simulator.

#include "e2etest.h"

namespace tavex::test {

// Relay 1's switch-off minute box, in the window.
constexpr QPoint kOffMinuteBox{636, 114};

class TestE2eSchedule : public E2eTest
{
    Q_OBJECT

private slots:
    void switchesOnAndOffByItself();
};

void TestE2eSchedule::switchesOnAndOffByItself()
{
    // The wall clock starts 90 s before midnight and runs six times faster, so each
    // ten-second tick of the schedule's real timer sees the next minute; the schedule is
    // armed before midnight as long as the program starts within 15 s.
    program().setLauncher({u"faketime"_s, u"-f"_s, u"@2026-12-06 23:58:30 x6"_s},
                          {{u"FAKETIME_DONT_FAKE_MONOTONIC"_s, u"1"_s}});
    const WindowId window = startWithBoard();
    QVERIFY(window != 0);

    // On at "0 h" "00", as the boxes start; off at "0 h" "01", typed.
    QVERIFY(desktop().click(window, kOffMinuteBox) && desktop().pressKeys(window, u"ctrl+a 0 1"_s));
    QVERIFY(desktop().click(window, armBox(1)));

    // The armed schedule holds the relay's button.
    QVERIFY(clickRelay(window, 1) && expectNothingMoreFor(1500));

    // A tick finds midnight, and the next one 00:01.
    QVERIFY(expectBytes("1", 25000));
    QVERIFY(expectBytes("2", 15000));
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eSchedule)
#include "tst_e2e_schedule.moc"
