#include "relays/relaybutton.h"
#include "support/files.h"
#include "support/windowfixture.h"


#include <QTest>

#include <algorithm>

using namespace tavex;
using namespace tavex::test;

class TestRelayButtons : public QObject
{
    Q_OBJECT

private slots:
    void pulledCable_data()
    {
        QTest::addColumn<int>("relay");
        QTest::addColumn<int>("replugged"); // where the board is found again; 0: nowhere
        QTest::newRow("relay 1, back on its port") << 1 << 3;
        QTest::newRow("relay 7, still missing") << 7 << 0;
    }

    void pulledCable()
    {
        // The cable is pulled and, while the message is open, plugged back in or not.
        QFETCH(int, relay);
        QFETCH(int, replugged);
        WindowFixture f;
        f.start();
        if (relay <= 4)
            WindowFixture::tickBox(f.checkBox(QStringLiteral("chk_timer%1").arg(relay)));
        f.port().unplug(3);
        QString labelShown;
        f.messages().whileOpen = [&] {
            labelShown = f.portLabel();
            if (replugged)
                f.port().plug(replugged);
            // A click that the box's own event loop lets through switches nothing.
            WindowFixture::click(f.relayButton(8));
        };
        const QString caption = f.relayButton(relay)->text();
        WindowFixture::click(f.relayButton(relay));

        QCOMPARE(f.messages().shown().size(), 1);
        const ShownMessage &message = f.messages().shown().first();
        QCOMPARE(message.text, u"O cabo Conversor USB/Serial foi removido deste computador. Por Favor "
                               u"reconecte o cabo ANTES de clicar no botão OK");
        QVERIFY(message.title == u"Cabo Desconectado" && message.icon == MessageIcon::None);
        // While it is open, the label reads "Nenhuma" after a failure of relay 1 only.
        QCOMPARE(labelShown, replugged ? u"Nenhuma" : u"COM 3");
        // Caption, look and countdown as before the click.
        QCOMPARE(f.relayButton(relay)->text(), caption);
        QVERIFY(!f.relayButton(relay)->isChecked() && !f.relayButton(8)->isChecked());
        QVERIFY(relay > 4 || !f.window().board().relays().countdown(relay).isRunning());
        QCOMPARE(f.portLabel(), replugged ? QStringLiteral("COM %1").arg(replugged) : QStringLiteral("Nenhuma"));

        // Nothing was written: the next click makes the same switch, or fails the same way
        // after a search up to the last port.
        f.messages().whileOpen = nullptr;
        WindowFixture::click(f.relayButton(relay));
        QCOMPARE(f.port().written(), replugged ? QByteArray(1, "1357ACEG"[relay - 1]) : QByteArray());
        QCOMPARE(f.messages().shown().size(), replugged ? 1 : 2);
        QCOMPARE(f.port().triedNumbers().count(18), replugged ? 0 : 2);
    }

    void captionsWhole_data()
    {
        QTest::addColumn<int>("relay");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines"); // none: any two that fit
        const auto row = [](const char *what, int relay, const char *name, const QStringList &lines = {}) {
            QTest::newRow(what) << relay << QString::fromLatin1(name) << lines;
        };
        row("short name, one line, an ampersand no shortcut", 2, "LUZ & SOM", {"LUZ & SOM (ON)"});
        row("the name on one line, the state below", 3, "BOMBA DA CAIXA DAG", {"BOMBA DA CAIXA DAG", "(ON)"});
        row("20 characters on a lower button", 5, "ILUMINACAO DA GARAGE", {"ILUMINACAO DA", "GARAGE (ON)"});
        row("20 characters, no blank", 4, "MMMMMMMMMMMMMMMMMMMM");
        row("too long for two lines: elided before the state", 8, "WWWWWWWWWWWW LUZES DO JARDIM DOS FUNDOS");
    }

    void captionsWhole()
    {
        QFETCH(int, relay);
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        WindowFixture f;
        QVERIFY(writeFile(f.dataFile(QStringLiteral("BOTOES.INI")),
                          QByteArray("\r\n").repeated(relay - 1) + name.toLatin1() + "\r\n"));
        f.start();
        auto *button = qobject_cast<RelayButton *>(f.relayButton(relay));
        WindowFixture::click(button);
        // The caption held is the caption; the lines drawn fit the button, the state whole at
        // the end, the name elided only when it is longer than a box can hold.
        QCOMPARE(button->text(), name + QStringLiteral(" (ON)"));
        QVERIFY(button->shortcut().isEmpty());
        const QStringList shown = button->shownLines();
        QVERIFY(lines.isEmpty() ? shown.size() == 2 : shown == lines);
        const QFontMetrics metrics = button->fontMetrics();
        QVERIFY(metrics.lineSpacing() * shown.size() <= button->height() - 4);
        for (const QString &line : shown)
            QVERIFY2(metrics.horizontalAdvance(line) <= button->width() - 8, qPrintable(line));
        QVERIFY(shown.last().endsWith(u"(ON)"));
        QCOMPARE(shown.join(QString()).remove(u' ') == button->text().remove(u' '), name.size() <= 20);

        // On at a glance, in a high-contrast palette too: a frame in the highlight colour.
        QPalette contrast(Qt::white, Qt::black);
        contrast.setColor(QPalette::Highlight, Qt::yellow);
        button->setPalette(contrast);
        const auto lit = [button] {
            const QImage image = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
            return int(std::count(pixels, pixels + image.width() * image.height(), qRgb(255, 255, 0)));
        };
        QVERIFY(button->isChecked() && lit() > button->width() + button->height());
        WindowFixture::click(button);
        QVERIFY(!button->isChecked() && lit() == 0);
    }

    void detailsOfEveryPortTried()
    {
        // The messages that say no port could be opened tell why, beneath their text.
        WindowFixture f(0);
        int number = 4;
        for (OpenFailure why : {OpenFailure::PermissionDenied, OpenFailure::InUse, OpenFailure::NotSerialDevice, OpenFailure::Other})
            f.port().refuse(number++, why);
        f.window().Form_Load();
        QCOMPARE(f.messages().shown().size(), 1);
        const QStringList lines = f.messages().shown().first().details.split(u'\n');
        QCOMPARE(lines.mid(0, 6), (QStringList{"Portas tentadas:", "COM 3 (/dev/fake3): não existe neste computador",
                                               "COM 4 (/dev/fake4): sem permissão de acesso",
                                               "COM 5 (/dev/fake5): em uso por outro programa",
                                               "COM 6 (/dev/fake6): não é uma porta serial",
                                               "COM 7 (/dev/fake7): não pôde ser aberta"}));
        QVERIFY(lines.last().contains(u"saia da sessão e entre de novo"));
        // A switch that fails after that search offers the same details; the search after OK
        // finds the board, and the next failure has none to tell.
        f.messages().whileOpen = [&] { f.port().plug(3); };
        f.window().btn_rele2_Click();
        QCOMPARE(f.messages().shown().last().title, u"Cabo Desconectado");
        QCOMPARE(f.messages().shown().last().details.split(u'\n').mid(0, 2), lines.mid(0, 2));
        QCOMPARE(f.portLabel(), u"COM 3");
        f.port().unplug(3);
        f.window().btn_rele2_Click();
        QVERIFY(f.messages().shown().last().details.isEmpty());
    }
};

QTEST_MAIN(TestRelayButtons)
#include "tst_relaybuttons.moc"
