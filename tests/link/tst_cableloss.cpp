#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestCableLoss : public QObject
{
    Q_OBJECT

private slots:
    void failedSwitchOnChangesNothing();
    void boardBackOnAnotherNumber();
    void boardStillMissing();
    void failedSwitchOffKeepsTheCountdown();
    void nothingSwitchesWhileTheMessageIsOpen();
};

namespace {

const QString kCableText = QStringLiteral(
        "O cabo Conversor USB/Serial foi removido deste computador. Por Favor reconecte o cabo "
        "ANTES de clicar no botão OK");

} // namespace

void TestCableLoss::failedSwitchOnChangesNothing()
{
    WindowFixture f;
    f.start();
    f.checkBox(QStringLiteral("chk_timer2"))->setChecked(true);
    QStringList whileOpen;
    f.messages().whileOpen = [&] { whileOpen << f.relayButton(2)->text() << f.portLabel(); };
    // The cable is pulled and plugged back in before OK: the write is lost, the search
    // finds the board again.
    f.port().failWritesAfter(0);

    WindowFixture::click(f.relayButton(2));

    QCOMPARE(f.messages().shown().size(), 1);
    const ShownMessage &message = f.messages().shown().first();
    QCOMPARE(message.text, kCableText);
    QCOMPARE(message.title, u"Cabo Desconectado");
    QCOMPARE(message.icon, MessageIcon::None);
    // Relay 2 leaves the port label alone until the new search.
    QCOMPARE(whileOpen, (QStringList{QStringLiteral("RELE 2 (OFF)"), QStringLiteral("COM 3")}));
    // The message comes before the new search, which found the board again.
    const int messageAt = f.log().indexOf(QStringLiteral("message Cabo Desconectado"));
    QVERIFY(messageAt > f.log().indexOf(QStringLiteral("write failed 3")));
    QVERIFY(f.log().indexOf(QStringLiteral("choose 3")) > messageAt);
    QCOMPARE(f.portLabel(), u"COM 3");
    // As before the click: caption, flag, countdown; nothing was written again.
    QCOMPARE(f.relayButton(2)->text(), u"RELE 2 (OFF)");
    QVERIFY(f.window().relays().releDesligado(2));
    QVERIFY(!f.timer(QStringLiteral("Timer2"))->isActive());
    QVERIFY(f.port().written().isEmpty());

    // The next click makes the same switch.
    f.port().failWritesAfter(-1);
    WindowFixture::click(f.relayButton(2));
    QCOMPARE(f.port().written(), QByteArray("3"));
    QCOMPARE(f.relayButton(2)->text(), u"RELE 2 (ON)");
    QVERIFY(f.timer(QStringLiteral("Timer2"))->isActive());
    QCOMPARE(f.messages().shown().size(), 1);
}

void TestCableLoss::boardBackOnAnotherNumber()
{
    WindowFixture f;
    f.start();
    f.port().unplug(3);
    f.messages().whileOpen = [&] {
        // Relay 1 says "Nenhuma" before the message.
        QCOMPARE(f.portLabel(), u"Nenhuma");
        f.port().plug(6); // replugged, under another name
    };
    WindowFixture::click(f.relayButton(1));
    QCOMPARE(f.portLabel(), u"COM 6");
    QCOMPARE(f.relayButton(1)->text(), u"RELE 1 (OFF)");
    QVERIFY(f.port().written().isEmpty());

    f.messages().whileOpen = nullptr;
    WindowFixture::click(f.relayButton(1));
    QCOMPARE(f.port().written(), QByteArray("1"));
    QCOMPARE(f.port().portNumber(), 6);
}

void TestCableLoss::boardStillMissing()
{
    WindowFixture f;
    f.start();
    f.port().unplug(3);

    // Two failed clicks: two messages, two full searches.
    WindowFixture::click(f.relayButton(7));
    QCOMPARE(f.portLabel(), u"Nenhuma"); // also after relays 2 to 8
    WindowFixture::click(f.relayButton(7));
    QCOMPARE(f.messages().shown().size(), 2);
    QCOMPARE(f.port().triedNumbers().count(3), 2);
    QCOMPARE(f.port().triedNumbers().count(18), 2);
    QVERIFY(!f.port().isOpen());
    QCOMPARE(f.relayButton(7)->text(), u"RELE 7 (OFF)");
    QVERIFY(f.port().written().isEmpty());
}

void TestCableLoss::failedSwitchOffKeepsTheCountdown()
{
    WindowFixture f;
    f.start();
    f.edit(QStringLiteral("txt_tmp3"))->setText(QStringLiteral("10"));
    f.checkBox(QStringLiteral("chk_timer3"))->setChecked(true);
    WindowFixture::click(f.relayButton(3));
    f.window().Timer3_Timer();
    f.window().Timer3_Timer();

    f.port().unplug(3);
    WindowFixture::click(f.relayButton(3));
    QCOMPARE(f.relayButton(3)->text(), u"RELE 3 (ON)");
    QVERIFY(!f.window().relays().releDesligado(3));
    QVERIFY(f.timer(QStringLiteral("Timer3"))->isActive());
    QCOMPARE(f.window().relays().countdown(3).tempoDecorrido(), 2);
}

void TestCableLoss::nothingSwitchesWhileTheMessageIsOpen()
{
    WindowFixture f;
    f.start();
    // Relay 1 counts down 3 seconds; relay 5 is on.
    f.edit(QStringLiteral("txt_tmp1"))->setText(QStringLiteral("3"));
    f.checkBox(QStringLiteral("chk_timer1"))->setChecked(true);
    WindowFixture::click(f.relayButton(1));
    WindowFixture::click(f.relayButton(5));
    f.window().Timer1_Timer();
    f.window().Timer1_Timer();
    f.port().clearWritten();

    f.port().unplug(3);
    f.messages().whileOpen = [&] {
        f.port().plug(3);
        // Ticks and clicks that arrive meanwhile switch nothing and open no second message.
        f.window().Timer1_Timer(); // the countdown's time is up here
        f.window().Timer1_Timer();
        f.window().btn_rele4_Click();
        WindowFixture::click(f.relayButton(6));
    };
    WindowFixture::click(f.relayButton(5));
    f.messages().whileOpen = nullptr;

    QCOMPARE(f.messages().shown().size(), 1);
    QVERIFY(f.port().written().isEmpty());
    QVERIFY(f.window().relays().releDesligado(4));
    QVERIFY(f.window().relays().releDesligado(6));
    // The countdown kept counting and ends at the first tick after the message.
    QVERIFY(!f.window().relays().releDesligado(1));
    QCOMPARE(f.label(QStringLiteral("lb_tmpr1"))->text(), u"-1");
    f.window().Timer1_Timer();
    QCOMPARE(f.port().written(), QByteArray("2"));
    QVERIFY(f.window().relays().releDesligado(1));
    QVERIFY(!f.timer(QStringLiteral("Timer1"))->isActive());
    QCOMPARE(f.window().relays().countdown(1).tempoDecorrido(), 0);
}

QTEST_MAIN(TestCableLoss)
#include "tst_cableloss.moc"
