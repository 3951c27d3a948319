// Switching relays in the running program: by their buttons, by a countdown's own timer,
// with the extended view, and with the cable pulled while a countdown runs.

#include "e2etest.h"
#include "relaybuttons.h"

#include <QTest>

namespace tavex::test {

namespace {

// Places in the window, in its client coordinates.
constexpr QPoint kExtendBox{102, 344};

} // namespace

class TestE2eSwitching : public E2eTest
{
    Q_OBJECT

private slots:
    void buttonsAndExtendedView();
    void countdownsAndAPulledCable();
};

void TestE2eSwitching::buttonsAndExtendedView()
{
    const WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());

    // Each button switches its own relay on; the next click switches it off.
    const QByteArray onCommands = "1357ACEG";
    for (int relay = 1; relay <= 8; ++relay) {
        QVERIFY2(clickRelay(window, relay), why());
        QVERIFY2(expectBytes(onCommands.mid(relay - 1, 1)), why());
    }
    QVERIFY2(clickRelay(window, 5), why());
    QVERIFY2(expectBytes("B"), why());

    // Ticked and unticked, the extended view hides relays 5 to 8: their place takes no click.
    QVERIFY(desktop().click(window, kExtendBox));
    QVERIFY(desktop().click(window, kExtendBox));
    QVERIFY2(clickRelay(window, 6), why());
    QVERIFY2(expectNothingMoreFor(500), why());
    QVERIFY(desktop().click(window, kExtendBox));
    QVERIFY2(clickRelay(window, 6), why());
    QVERIFY2(expectBytes("D"), why());
}

void TestE2eSwitching::countdownsAndAPulledCable()
{
    // The board starts on COM3; COM4 leads to where it comes back.
    const QString otherPlace = session().path(QStringLiteral("board-again"));
    session().program().mapPort(4, otherPlace);
    const WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());

    // One second, as the duration starts: the countdown's timer switches relay 1 off.
    QVERIFY(desktop().click(window, durationBox(1)));
    QVERIFY2(clickRelay(window, 1), why());
    QVERIFY2(expectBytes("12"), why());

    // Relay 3 on for five seconds; meanwhile the cable is pulled and relay 2's command fails.
    QVERIFY(desktop().click(window, durationField(3)));
    for (const char *key : {"ctrl+a", "5"})
        QVERIFY2(pressKey(window, QString::fromLatin1(key)), why());
    QVERIFY(desktop().click(window, durationBox(3)));
    QVERIFY2(clickRelay(window, 3), why());
    QVERIFY2(expectBytes("5"), why());
    QVERIFY2(board().drop(), qPrintable(board().error()));
    QVERIFY2(clickRelay(window, 2), why());
    QVERIFY2(waitForWindow(kCableLossTitle) != 0, why());

    // Relay 3's time runs out behind the open message: it waits, and no second message
    // piles up.
    QTest::qWait(6000);
    QCOMPARE(desktop().visibleWindows(kCableLossTitle).size(), 1);

    // Plugged back where COM4 leads; after OK the countdown ends at its next tick. The
    // command that failed is not sent again by itself; the next click repeats it.
    QVERIFY2(board().restore(otherPlace), qPrintable(board().error()));
    QVERIFY2(answerMessage(kCableLossTitle), why());
    QVERIFY2(expectBytes("6"), why());
    QVERIFY2(expectNothingMoreFor(500), why());
    QVERIFY2(clickRelay(window, 2), why());
    QVERIFY2(expectBytes("3"), why());
    QVERIFY2(noWindowFor(kCableLossTitle, 1000), why());
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eSwitching)
#include "tst_e2e_switching.moc"
