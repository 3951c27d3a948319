// Switching relays in the running program: by their buttons, by a countdown's own timer,
// with the extended view, and with the cable pulled while a countdown runs.

#include "e2etest.h"

namespace tavex::test {

// The box of the extended view, in the window's client coordinates.
constexpr QPoint kExtendBox{102, 344};

class TestE2eSwitching : public E2eTest
{
    Q_OBJECT

private slots:
    void buttonsAndExtendedView()
    {
        const WindowId window = startWithBoard();
        QVERIFY(window != 0);

        // Each button switches its own relay on; the next click switches it off.
        for (int relay = 1; relay <= 8; ++relay)
            QVERIFY(clickRelay(window, relay) && expectBytes(QByteArray(1, "1357ACEG"[relay - 1])));
        QVERIFY(clickRelay(window, 5) && expectBytes("B"));

        // Ticked and unticked, the extended view hides relays 5 to 8: their place takes no click.
        QVERIFY(desktop().click(window, kExtendBox) && desktop().click(window, kExtendBox));
        QVERIFY(clickRelay(window, 6) && expectNothingMoreFor(500));
        QVERIFY(desktop().click(window, kExtendBox) && clickRelay(window, 6) && expectBytes("D"));
    }

    void countdownsAndAPulledCable()
    {
        // The board starts on COM3; COM4 leads to where it comes back.
        const QString otherPlace = program().path(u"board-again"_s);
        program().mapPort(4, otherPlace);
        const WindowId window = startWithBoard();
        QVERIFY(window != 0);

        // One second, as the duration starts: the countdown's timer switches relay 1 off.
        QVERIFY(desktop().click(window, durationBox(1)) && clickRelay(window, 1) && expectBytes("12"));

        // Relay 3 on for five seconds; meanwhile the cable is pulled and relay 2's command fails.
        QVERIFY(desktop().click(window, durationField(3)) && desktop().pressKeys(window, u"ctrl+a 5"_s));
        QVERIFY(desktop().click(window, durationBox(3)) && clickRelay(window, 3) && expectBytes("5"));
        QVERIFY(board().drop() && clickRelay(window, 2));
        QVERIFY(desktop().waitForWindow(kCableLossTitle) != 0);

        // Relay 3's time runs out behind the open message, with the board gone: its switch-off
        // is kept, and no second message piles up.
        QTest::qWait(6000);
        QCOMPARE(desktop().windows(kCableLossTitle).value_or(QList<WindowId>()).size(), 1);

        // OK with the cable still out finds nothing. The kept switch-off waits: the close box
        // asks, though no countdown runs and no schedule is armed.
        QVERIFY(answerMessage(kCableLossTitle) && closeAndKeepRunning(window));
        // Plugged back where COM4 leads: the board is found without a key and the kept
        // switch-off is made. The click that failed is not repeated; the next click repeats it.
        QVERIFY(board().restore(otherPlace) && expectBytes("6", 5000) && expectNothingMoreFor(500));
        QVERIFY(clickRelay(window, 2) && expectBytes("3"));
        QCOMPARE(desktop().waitForWindow(kCableLossTitle, 1000), WindowId(0));

        QTRY_COMPARE_WITH_TIMEOUT(program().switchRecord().mid(8),
                 (QStringList{u"relé 1 (RELE 1)  ligado  botão"_s, u"relé 1 (RELE 1)  desligado  contagem"_s,
                              u"relé 3 (RELE 3)  ligado  botão"_s, u"relé 2 (RELE 2)  ligado  botão  falhou"_s,
                              u"relé 3 (RELE 3)  desligado  reconexão"_s, u"relé 2 (RELE 2)  ligado  botão"_s}), kByteTimeoutMs);
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eSwitching)
#include "tst_e2e_switching.moc"
