#include "app/mainwindow.h"
#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;
using namespace Qt::StringLiterals;

class TestCommandWindow : public QObject
{
    Q_OBJECT

private slots:
    void commandsAnsweredByTheWindow()
    {
        WindowFixture f;
        f.start();
        const auto ask = [&f](const char *line) { return QString::fromUtf8(f.window().commandDesk().answer(line)); };

        // Switched on as a click would: its caption, its countdown ("4.1" "MIN" ends on tick
        // 246), told in the state.
        WindowFixture::typeInto(f.combo(u"Cmb_tmp1"_s), u"MIN"_s);
        WindowFixture::typeInto(f.edit(u"txt_tmp1"_s), u"4.1"_s);
        WindowFixture::tickBox(f.checkBox(u"chk_timer1"_s));
        QCOMPARE(ask("ligar 1\n"), u"0\nrelé 1 ligado\n");
        QCOMPARE(f.relayButton(1)->text(), u"RELE 1 (ON)");
        QVERIFY(ask("estado\n").contains(u"Relé 1 \"RELE 1\": ligado; faltam 246 s\n"));

        // An armed schedule holds its relay, and is told in the state.
        const char *boxes[] = {"hora_ligar", "min_ligar", "hora_desligar", "min_desligar"};
        for (int i = 0; i < 4; ++i)
            f.combo(u"Cmb1_%1%2"_s.arg(QLatin1String(boxes[i])).arg(3))->setEditText(i % 2 ? u"30"_s : u"7 h"_s);
        WindowFixture::click(f.checkBox(u"Chk_agendar3"_s));
        QVERIFY(ask("estado\n").contains(u"Relé 3 \"RELE 3\": desligado; agendado: liga 07:30, desliga 07:30\n"));
        QVERIFY(ask("alternar 3\n").startsWith(u"4\n"));
        QCOMPARE(f.port().written(), "1");

        // A switch that meets the cable pulled is answered first; the message follows, as
        // after a failed click.
        f.port().unplug(3);
        QVERIFY(ask("ligar 2\n").startsWith(u"1\n"));
        QVERIFY(f.messages().shown().isEmpty());
        QTRY_COMPARE(f.messages().shown().size(), 1);
        QCOMPARE(f.messages().shown().first().title, u"Cabo Desconectado");
    }
};

QTEST_MAIN(TestCommandWindow)
#include "tst_commandwindow.moc"
