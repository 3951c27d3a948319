// What the user sets in the running program survives a restart: the schedules and option
// boxes saved with "Salvar Horários", and a name given in the rename dialog.

#include "e2etest.h"
#include "../support/files.h"

namespace tavex::test {

const QString kRenameTitle = u"Renomear Botões"_s;
// In the main window's client area.
constexpr QPoint kRenameButton{596, 36};
constexpr QPoint kOnHourBox3{460, 242};
// In the rename dialog's client area.
constexpr QPoint kFirstNameBox{148, 89};
constexpr QPoint kSaveButton{148, 300};

class TestE2eRestart : public E2eTest
{
    Q_OBJECT

private slots:
    void savedAndStartedAgain();

private:
    // The pixels of relay 1's button.
    QByteArray firstRelayButton(WindowId window)
    {
        const QPoint corner = desktop().geometry(window).value_or(QRect()).topLeft();
        return desktop().pixels(relayButtonRect(1).translated(corner)).value_or(QByteArray());
    }
    // Waits until relay 1's button shows `expected` (or, unless `same`, anything else).
    bool firstRelayButtonBecomes(WindowId window, const QByteArray &expected, bool same = true)
    {
        return waitUntil([&] { return (firstRelayButton(window) == expected) == same; },
                         kWindowTimeoutMs, 100);
    }
};

void TestE2eRestart::savedAndStartedAgain()
{
    WindowId window = startWithBoard();
    QVERIFY(window != 0);
    const QByteArray designCaption = firstRelayButton(window);
    QVERIFY2(!designCaption.isEmpty(), qPrintable(desktop().lastError()));

    // Relay 2's schedule armed, relay 3's switch-on hour typed, relay 1's duration box
    // ticked, and saved.
    QVERIFY(desktop().click(window, armBox(2)) && desktop().click(window, kOnHourBox3));
    QVERIFY(desktop().pressKeys(window, u"ctrl+a"_s) && desktop().typeText(window, u"7 h"_s));
    QVERIFY(desktop().click(window, durationBox(1)) && desktop().click(window, kSaveTimesButton));
    QByteArray times;
    for (int line = 1; line <= 16; ++line)
        times += line == 9 ? "7 h\r\n" : line % 2 ? "0 h\r\n" : "00\r\n";
    const QByteArray saved =
            times + " 0 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n" + QByteArray(" 0 \r\n").repeated(5);
    QVERIFY(waitUntil([&] { return readFile(program().configDir() + u"/tavex.ini"_s) == saved; }, kWindowTimeoutMs, 100));

    QVERIFY(desktop().click(window, kRenameButton));
    const WindowId dialog = desktop().waitForWindow(kRenameTitle);
    QVERIFY(dialog != 0 && desktop().click(dialog, kFirstNameBox));
    QVERIFY(desktop().typeText(dialog, u"Bomba, poço"_s) && desktop().click(dialog, kSaveButton));
    QVERIFY(desktop().waitForNoWindow(kRenameTitle));
    QVERIFY(firstRelayButtonBecomes(window, designCaption, false));
    const QByteArray renamed = firstRelayButton(window);
    QVERIFY(!renamed.isEmpty());

    // The name is quoted for its comma and upper-cased in the code page of the file.
    QCOMPARE(readFile(program().configDir() + u"/BOTOES.INI"_s),
             QByteArray("\"BOMBA, PO\xc7O\"\r\n") + QByteArray("\r\n").repeated(7));

    // Quit and start again: the button shows what the save showed.
    program().stop();
    QVERIFY(program().start());
    window = desktop().waitForWindow(kMainWindowTitle);
    QVERIFY(window != 0 && expectBytes("2468BDFH"));
    QVERIFY(firstRelayButtonBecomes(window, renamed));

    // Relay 2's schedule holds its button, relays 5 to 8 are hidden now that the extended
    // view was saved unticked, and relay 1 switches off by its countdown.
    QVERIFY(clickRelay(window, 2) && clickRelay(window, 5) && expectNothingMoreFor(500));
    QVERIFY(clickRelay(window, 1) && expectBytes("12"));
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eRestart)
#include "tst_e2e_restart.moc"
