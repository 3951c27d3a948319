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
constexpr QPoint nameBox(int relay) { return {148, 89 + 24 * (relay - 1)}; }
constexpr QPoint kSaveButton{148, 300};

// What a relay button shows, read from its pixels: its text is the ink (dark pixels) inside
// its bevel, in bands of rows apart by rows without ink, one band a line, each seen as the
// columns its ink spans; a caption that is cut has ink up to the bevel's sides. A relay that
// is on has a lit frame of bluish pixels.
struct ButtonLook
{
    QList<std::pair<int, int>> lines; // the first and last column of each line's ink
    bool clearOfSides = true;
    int litPixels = 0;

    static ButtonLook read(const QByteArray &rgb, QSize size)
    {
        ButtonLook look;
        if (rgb.size() != 3 * size.width() * size.height())
            return look;
        // The bevel's outline and the lit frame lie in the outer 4 pixels; ink within 2 more
        // touches the sides.
        constexpr int bevel = 4, side = 2;
        bool inLine = false;
        for (int y = bevel; y < size.height() - bevel; ++y) {
            std::pair<int, int> ink{size.width(), -1};
            for (int x = 0; x < size.width(); ++x) {
                const auto *c = reinterpret_cast<const uchar *>(rgb.constData()) + 3 * (y * size.width() + x);
                look.litPixels += c[2] > c[0] + 60;
                if (x >= bevel && x < size.width() - bevel && std::max({c[0], c[1], c[2]}) < 110)
                    ink = {std::min(ink.first, x), x};
            }
            const bool wasInLine = std::exchange(inLine, ink.second >= 0);
            if (!inLine)
                continue;
            look.clearOfSides &= ink.first >= bevel + side && ink.second < size.width() - bevel - side;
            if (!wasInLine)
                look.lines.append(ink);
            look.lines.last() = {std::min(look.lines.last().first, ink.first), std::max(look.lines.last().second, ink.second)};
        }
        return look;
    }
};

class TestE2eRestart : public E2eTest
{
    Q_OBJECT

private slots:
    void savedAndStartedAgain()
    {
        WindowId window = startWithBoard();
        QVERIFY(window != 0);
        // Relay 1's design caption fits one line.
        QVERIFY2(waitUntil([&] { return look(window, 1).lines.size() == 1; }, kWindowTimeoutMs, 100),
                 qPrintable(desktop().lastError()));

        // Relay 2's schedule armed, relay 3's switch-on hour typed, relay 1's duration box
        // ticked, and saved.
        QVERIFY(desktop().click(window, armBox(2)) && desktop().click(window, kOnHourBox3));
        QVERIFY(desktop().pressKeys(window, u"ctrl+a"_s) && desktop().typeText(window, u"7 h"_s));
        QVERIFY(desktop().click(window, durationBox(1)) && desktop().click(window, kSaveTimesButton));
        const QByteArray design = "0 h\r\n00\r\n", no = " 0 \r\n", yes = " 1 \r\n";
        const QByteArray saved =
                design.repeated(4) + "7 h\r\n00\r\n" + design.repeated(3) + no + yes + no + no + yes + no.repeated(5);
        QVERIFY(waitUntil([&] { return readFile(program().configDir() + u"/tavex.ini"_s) == saved; }, kWindowTimeoutMs, 100));

        // Names of 20 characters for relays 1, 4 and 5, with relay 4 on, and a name with a comma.
        QVERIFY(clickRelay(window, 4) && expectBytes("7"));
        QVERIFY(desktop().click(window, kRenameButton));
        const WindowId dialog = desktop().waitForWindow(kRenameTitle);
        QVERIFY(dialog != 0);
        const std::pair<int, QString> names[]{{2, u"Bomba, poço"_s}, {1, u"Ventilador do teto 1"_s},
                                              {4, u"Bomba da caixa dagua"_s}, {5, u"Iluminacao da garage"_s}};
        for (const auto &[relay, name] : names)
            QVERIFY(desktop().click(dialog, nameBox(relay)) && desktop().typeText(dialog, name));
        QVERIFY(desktop().click(dialog, kSaveButton) && desktop().waitForNoWindow(kRenameTitle));
        // Each long name is shown on two lines, its state with it, nothing cut at the sides; relay
        // 4 is still shown on. Switched off, its lower line (the state) changes and its name stays.
        for (int relay : {1, 4, 5}) {
            QVERIFY2(waitUntil([&] { return look(window, relay).lines.size() == 2; }, kWindowTimeoutMs, 100),
                     qPrintable(u"relay %1"_s.arg(relay)));
            QVERIFY(look(window, relay).clearOfSides);
            QCOMPARE(look(window, relay).litPixels > 100, relay == 4);
        }
        const ButtonLook on = look(window, 4);
        QVERIFY(clickRelay(window, 4) && expectBytes("8"));
        QVERIFY(waitUntil([&] { return look(window, 4).litPixels == 0; }, kWindowTimeoutMs, 100));
        const ButtonLook off = look(window, 4);
        QVERIFY(off.lines.size() == 2 && off.clearOfSides);
        QVERIFY(off.lines[0] == on.lines[0] && off.lines[1] != on.lines[1]);

        // The name with a comma is quoted, and every name upper-cased in the code page of the file.
        QCOMPARE(readFile(program().configDir() + u"/BOTOES.INI"_s),
                 QByteArray("VENTILADOR DO TETO 1\r\n\"BOMBA, PO\xc7O\"\r\n\r\nBOMBA DA CAIXA DAGUA\r\n"
                            "ILUMINACAO DA GARAGE\r\n") + QByteArray("\r\n").repeated(3));

        // Quit and start again: relay 1 shows its name again.
        program().stop();
        QVERIFY(program().start());
        window = desktop().waitForWindow(kMainWindowTitle);
        QVERIFY(window != 0 && expectBytes("2468BDFH"));
        QVERIFY(waitUntil([&] { return look(window, 1).lines.size() == 2; }, kWindowTimeoutMs, 100));

        // Relay 2's schedule holds its button, relays 5 to 8 are hidden now that the extended
        // view was saved unticked, and relay 1 switches off by its countdown.
        QVERIFY(clickRelay(window, 2) && clickRelay(window, 5) && expectNothingMoreFor(500));
        QVERIFY(clickRelay(window, 1) && expectBytes("12"));
    }

private:
    // What a relay's button shows on the screen.
    ButtonLook look(WindowId window, int relay)
    {
        const QRect area = relayButtonRect(relay).translated(desktop().geometry(window).value_or(QRect()).topLeft());
        return ButtonLook::read(desktop().pixels(area).value_or(QByteArray()), area.size());
    }
};

} // namespace tavex::test

QTEST_GUILESS_MAIN(tavex::test::TestE2eRestart)
#include "tst_e2e_restart.moc"
