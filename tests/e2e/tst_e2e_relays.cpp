// The relay buttons of the running program, worked with the mouse and the keyboard.

#include "e2etest.h"

#include <QTest>

namespace tavex::test {

class TestE2eRelays : public E2eTest
{
    Q_OBJECT

private slots:
    void mouseClicks();
    void keyboard();
};

void TestE2eRelays::mouseClicks()
{
    const WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());

    // A click switches the relay on, the next one off again.
    QVERIFY2(clickRelay(window, 1), why());
    QVERIFY2(expectBytes("1"), why());
    QVERIFY2(clickRelay(window, 1), why());
    QVERIFY2(expectBytes("2"), why());

    // Every other button, found by its place in the window, switches its own relay on.
    const QByteArray onCommands = "357ACEG";
    for (int relay = 2; relay <= 8; ++relay) {
        QVERIFY2(clickRelay(window, relay), why());
        QVERIFY2(expectBytes(onCommands.mid(relay - 2, 1)), why());
    }
    QVERIFY2(clickRelay(window, 5), why());
    QVERIFY2(expectBytes("B"), why());

    QVERIFY2(expectNothingMoreFor(500), why());
}

void TestE2eRelays::keyboard()
{
    const WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());

    // The click leaves the focus on the button; the space bar presses it again.
    QVERIFY2(clickRelay(window, 3), why());
    QVERIFY2(expectBytes("5"), why());
    QVERIFY2(pressKey(window, QStringLiteral("space")), why());
    QVERIFY2(expectBytes("6"), why());
    QVERIFY2(pressKey(window, QStringLiteral("space")), why());
    QVERIFY2(expectBytes("5"), why());

    QVERIFY2(expectNothingMoreFor(500), why());
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eRelays)
#include "tst_e2e_relays.moc"
