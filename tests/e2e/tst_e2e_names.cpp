// A relay renamed in the rename dialog of the running program keeps its name at the next start.

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
// In the rename dialog's client area.
constexpr QPoint kFirstNameBox{148, 89};
constexpr QPoint kSaveButton{148, 300};

} // namespace

class TestE2eNames : public E2eTest
{
    Q_OBJECT

private slots:
    void renamedAndStartedAgain();

private:
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

void TestE2eNames::renamedAndStartedAgain()
{
    WindowId window = startWithBoard();
    QVERIFY2(window != 0, why());
    const std::optional<QByteArray> designCaption = firstRelayButton(window);
    QVERIFY2(designCaption && !designCaption->isEmpty(), qPrintable(desktop().lastError()));

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
    QFile file(QDir(session().program().configDir()).filePath(QStringLiteral("BOTOES.INI")));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QCOMPARE(file.readAll(), QByteArray("\"BOMBA, PO\xc7O\"\r\n") + QByteArray("\r\n").repeated(7));

    // Quit and start again: the button shows what the save showed.
    session().program().stop();
    QVERIFY2(session().startProgram(), qPrintable(session().report()));
    window = waitForWindow(kMainWindowTitle);
    QVERIFY2(window != 0 && expectBytes("2468BDFH"), why());
    QVERIFY(firstRelayButtonBecomes(window, *renamed));
}

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eNames)
#include "tst_e2e_names.moc"
