#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestRelayButtons : public QObject
{
    Q_OBJECT

private slots:
    void clicksSwitchOnAndOff();
    void countdownStartsOnlyAtSwitchOn();
    void extendedView();
    void buttonsReturnWithTheBoard();
};

void TestRelayButtons::clicksSwitchOnAndOff()
{
    WindowFixture f;
    f.start();
    const QByteArray on = "1357ACEG";
    const QByteArray off = "2468BDFH";
    for (int n = 1; n <= 8; ++n) {
        QPushButton *button = f.relayButton(n);
        f.port().clearWritten();
        WindowFixture::click(button);
        QCOMPARE(f.port().written(), QByteArray(1, on[n - 1]));
        QCOMPARE(button->text(), QStringLiteral("RELE %1 (ON)").arg(n));
        QVERIFY(!f.window().relays().releDesligado(n));

        WindowFixture::click(button);
        QCOMPARE(f.port().written(), QByteArray(1, on[n - 1]) + off[n - 1]);
        // Relays 4 and 8 lose the second blank of their design caption.
        QCOMPARE(button->text(), QStringLiteral("RELE %1 (OFF)").arg(n));
        QVERIFY(f.window().relays().releDesligado(n));
    }
    // The named entry points switch as a click does, also on a disabled button.
    f.port().clearWritten();
    f.relayButton(3)->setEnabled(false);
    f.window().btn_rele3_Click();
    f.window().btn_rele8_Click();
    QCOMPARE(f.port().written(), QByteArray("5G"));
    QCOMPARE(f.relayButton(3)->text(), u"RELE 3 (ON)");
}

void TestRelayButtons::countdownStartsOnlyAtSwitchOn()
{
    WindowFixture f;
    f.start();
    QTimer *timer1 = f.timer(QStringLiteral("Timer1"));
    f.edit(QStringLiteral("txt_tmp1"))->setText(QStringLiteral("5"));

    // Unticked: no countdown.
    WindowFixture::click(f.relayButton(1));
    QVERIFY(!timer1->isActive());
    // Ticking while the relay is on starts nothing.
    f.checkBox(QStringLiteral("chk_timer1"))->setChecked(true);
    QVERIFY(!timer1->isActive());
    WindowFixture::click(f.relayButton(1)); // off
    WindowFixture::click(f.relayButton(1)); // on, box ticked
    QVERIFY(timer1->isActive());
    f.window().Timer1_Timer();
    f.window().Timer1_Timer();
    QCOMPARE(f.window().relays().countdown(1).tempoDecorrido(), 2);
    // A switch-off stops the countdown and clears its count; the label keeps its text.
    const QString label = f.label(QStringLiteral("lb_tmpr1"))->text();
    WindowFixture::click(f.relayButton(1));
    QVERIFY(!timer1->isActive());
    QCOMPARE(f.window().relays().countdown(1).tempoDecorrido(), 0);
    QCOMPARE(f.label(QStringLiteral("lb_tmpr1"))->text(), label);

    // Relays 5 to 8 have no countdown, whatever boxes are ticked.
    for (int n = 1; n <= 4; ++n)
        f.checkBox(QStringLiteral("chk_timer%1").arg(n))->setChecked(true);
    for (int n = 5; n <= 8; ++n)
        WindowFixture::click(f.relayButton(n));
    for (int n = 1; n <= 4; ++n)
        QVERIFY(!f.timer(QStringLiteral("Timer%1").arg(n))->isActive());
}

void TestRelayButtons::extendedView()
{
    WindowFixture f;
    f.start();
    QCheckBox *extend = f.checkBox(QStringLiteral("chk_extender"));
    for (int n = 5; n <= 8; ++n)
        QVERIFY(f.relayButton(n)->isVisible());

    WindowFixture::click(f.relayButton(5)); // on
    extend->setChecked(true);
    for (int n = 5; n <= 8; ++n)
        QVERIFY(f.relayButton(n)->isVisible());
    const QList<QPoint> places{f.relayButton(1)->pos(), f.relayButton(6)->pos()};
    QTest::mouseClick(extend, Qt::LeftButton, {}, QPoint(5, extend->height() / 2));
    QVERIFY(!extend->isChecked());
    for (int n = 5; n <= 8; ++n)
        QVERIFY(!f.relayButton(n)->isVisible());
    // Nothing else moves, and hiding a button switches nothing.
    QCOMPARE(f.window().size(), QSize(765, 481));
    QCOMPARE(f.relayButton(1)->pos(), places[0]);
    QCOMPARE(f.relayButton(6)->pos(), places[1]);
    QVERIFY(!f.window().relays().releDesligado(5));
    QCOMPARE(f.port().written(), QByteArray("A"));

    QTest::mouseClick(extend, Qt::LeftButton, {}, QPoint(5, extend->height() / 2));
    QVERIFY(f.relayButton(5)->isVisible());
    QCOMPARE(f.relayButton(5)->text(), u"RELE 5 (ON)");
    WindowFixture::click(f.relayButton(5));
    QCOMPARE(f.port().written(), QByteArray("AB"));
}

void TestRelayButtons::buttonsReturnWithTheBoard()
{
    // No board at start-up: every button is disabled.
    WindowFixture f(0);
    f.start();
    for (int n = 1; n <= 8; ++n)
        QVERIFY(!f.relayButton(n)->isEnabled());

    // A later search that finds the board gives them back.
    f.port().plug(4);
    f.window().reconectaConversor();
    QCOMPARE(f.portLabel(), u"COM 4");
    for (int n = 1; n <= 8; ++n)
        QVERIFY(f.relayButton(n)->isEnabled());
    WindowFixture::click(f.relayButton(2));
    QCOMPARE(f.port().written(), QByteArray("3"));
}

QTEST_MAIN(TestRelayButtons)
#include "tst_relaybuttons.moc"
