// What the user sets in the running program survives a restart: the schedules and option
// boxes saved with "Salvar Horários", and a name given in the rename dialog.

#include "e2etest.h"
#include "polling.h"
#include "relaybuttons.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <optional>

namespace tavex::test {

namespace {

const QString kRenameTitle = QStringLiteral("Renomear Botões");

// In the main window's client area.
constexpr QPoint kRenameButton{596, 36};
constexpr QPoint kSaveTimesButton{692, 36};
constexpr QPoint kOnHourBox3{460, 242};
constexpr QPoint kOwnPortBox{478, 344};
// In the rename dialog's client area.
constexpr QPoint kFirstNameBox{148, 89};
constexpr QPoint kSaveButton{148, 300};

} // namespace

class TestE2eRestart : public E2eTest
{
    Q_OBJECT

private slots:
    void savedAndStartedAgain();

private:
    QByteArray dataFile(const QString &name)
    {
        QFile file(QDir(session().program().configDir()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The pixels of relay 1's button.
    std::optional<QByteArray> firstRelayButton(WindowId window)
    {
        const auto geometry = desktop().geometry(window);
        if (!geometry)
            return std::nullopt;
        return desktop().pixels(relayButtonRect(1).translated(geometry->topLeft()));
    }
    // Waits until relay 1's button shows `expected` (or anything else but it).
    bool firstRelayButtonBecomes(WindowId window, const QByteArray &expected, bool same = true)
    {
        return waitUntil([&] { return (firstRelayButton(window) == expected) == same; },
                         kWindowTimeoutMs, 100);
    }
};

void TestE2eRestart::savedAndStartedAgain()
{
    WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());
    const std::optional<QByteArray> designCaption = firstRelayButton(window);
    QVERIFY2(designCaption && !designCaption->isEmpty(), qPrintable(desktop().lastError()));

    // Relay 2's schedule armed, relay 3's switch-on hour typed, relay 1's duration box
    // ticked, and saved.
    QVERIFY(desktop().click(window, armBox(2)));
    QVERIFY(desktop().click(window, kOnHourBox3));
    QVERIFY2(pressKey(window, QStringLiteral("ctrl+a")), why());
    QVERIFY2(desktop().typeText(window, QStringLiteral("7 h")), qPrintable(desktop().lastError()));
    QVERIFY(desktop().click(window, durationBox(1)));
    QVERIFY(desktop().click(window, kSaveTimesButton));
    QByteArray times;
    for (int line = 1; line <= 16; ++line)
        times += line == 9 ? "7 h\r\n" : line % 2 ? "0 h\r\n" : "00\r\n";
    const QByteArray boxes = " 0 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n";
    const QByteArray saved = times + boxes + QByteArray(" 0 \r\n").repeated(5);
    QVERIFY(waitUntil([&] { return dataFile(QStringLiteral("tavex.ini")) == saved; },
                      kWindowTimeoutMs, 100));

    QVERIFY(desktop().click(window, kRenameButton));
    const WindowId dialog = waitForWindow(kRenameTitle);
    QVERIFY2(dialog != 0, why());
    QVERIFY(desktop().click(dialog, kFirstNameBox));
    QVERIFY2(desktop().typeText(dialog, QStringLiteral("Bomba, poço")),
             qPrintable(desktop().lastError()));
    QVERIFY(desktop().click(dialog, kSaveButton));
    QVERIFY(desktop().waitForNoWindow(kRenameTitle, kWindowTimeoutMs));
    QVERIFY(firstRelayButtonBecomes(window, *designCaption, false));
    const std::optional<QByteArray> renamed = firstRelayButton(window);
    QVERIFY(renamed);

    // The name is quoted for its comma and upper-cased in the code page of the file.
    QCOMPARE(dataFile(QStringLiteral("BOTOES.INI")),
             QByteArray("\"BOMBA, PO\xc7O\"\r\n") + QByteArray("\r\n").repeated(7));

    // Quit and start again: the button shows what the save showed.
    session().program().stop();
    QVERIFY2(session().startProgram(), qPrintable(session().report()));
    window = waitForWindow(kMainWindowTitle);
    QVERIFY2(window != 0 && expectBytes("2468BDFH"), why());
    QVERIFY(firstRelayButtonBecomes(window, *renamed));

    // Relay 2's schedule holds its button, relays 5 to 8 are hidden now that the extended
    // view was saved unticked, and relay 1 switches off by its countdown.
    QVERIFY2(clickRelay(window, 2) && clickRelay(window, 5), why());
    QVERIFY2(expectNothingMoreFor(500), why());
    QVERIFY2(clickRelay(window, 1), why());
    QVERIFY2(expectBytes("12"), why());

    // The own-port option is saved the moment it is ticked.
    QVERIFY(desktop().click(window, kOwnPortBox));
    QVERIFY(waitUntil([&] { return dataFile(QStringLiteral("tavex.ini")).endsWith(" 0 \r\n 1 \r\n"); },
                      kWindowTimeoutMs, 100));
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eRestart)
#include "tst_e2e_restart.moc"
