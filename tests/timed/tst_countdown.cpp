#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void fiveSeconds();
    void hoursAndDays();
    void editsDuringTheCountdown();
    void switchedOffByItsButton();
    void unknownUnitAndClearedBox();
    void twoRelaysAtOnce();
};

namespace {

// Relay n switched on with its duration box ticked and the given duration and unit.
void startCountdown(WindowFixture &f, int relay, const QString &duration, const QString &unit)
{
    const QString n = QString::number(relay);
    f.edit("txt_tmp" + n)->setText(duration);
    f.combo("Cmb_tmp" + n)->setEditText(unit);
    f.checkBox("chk_timer" + n)->setChecked(true);
    WindowFixture::click(f.relayButton(relay));
    QVERIFY(f.timer("Timer" + n)->isActive());
}

void tick(WindowFixture &f, int relay, int times = 1)
{
    for (int i = 0; i < times; ++i)
        f.window().countdownTick(relay);
}

} // namespace

void TestCountdown::fiveSeconds()
{
    WindowFixture f;
    f.start();
    startCountdown(f, 1, QStringLiteral("5"), QStringLiteral("SEG"));
    QLabel *label = f.label(QStringLiteral("lb_tmpr1"));
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        f.window().Timer1_Timer();
        shown << label->text();
        QCOMPARE(f.port().written(), QByteArray("1"));
    }
    QCOMPARE(shown, (QStringList{"4", "3", "2", "1"}));
    f.window().Timer1_Timer();
    QCOMPARE(label->text(), u"0");
    QCOMPARE(f.port().written(), QByteArray("12"));
    QCOMPARE(f.relayButton(1)->text(), u"RELE 1 (OFF)");
    QVERIFY(f.window().relays().releDesligado(1));
    QVERIFY(!f.timer(QStringLiteral("Timer1"))->isActive());
    QCOMPARE(f.window().relays().countdown(1).tempoDecorrido(), 0);
    // The real timer drives the same tick.
    QCOMPARE(f.timer(QStringLiteral("Timer1"))->timerType(), Qt::PreciseTimer);
}

void TestCountdown::hoursAndDays()
{
    WindowFixture f;
    f.start();
    startCountdown(f, 2, QStringLiteral("2"), QStringLiteral("HOR"));
    tick(f, 2);
    QLabel *label2 = f.label(QStringLiteral("lb_tmpr2"));
    QCOMPARE(label2->text(), u" 7199");
    QCOMPARE(label2->font().pointSizeF(), 9.75);
    WindowFixture::click(f.relayButton(2)); // off by hand

    // The longest count shows whole within its group, in a smaller size where it must.
    startCountdown(f, 2, QStringLiteral("999"), QStringLiteral("DIA"));
    tick(f, 2);
    QCOMPARE(label2->text(), u" 86313599");
    const int textWidth = label2->fontMetrics().horizontalAdvance(label2->text());
    QVERIFY(textWidth <= label2->contentsRect().width());
    const QRect inside = label2->parentWidget()->contentsRect();
    QVERIFY(label2->x() >= inside.left() && label2->geometry().right() <= inside.right());
    WindowFixture::click(f.relayButton(2));

    // A whole day runs out and switches the relay off.
    f.port().clearWritten();
    startCountdown(f, 4, QStringLiteral("1"), QStringLiteral("DIA"));
    tick(f, 4);
    QCOMPARE(f.label(QStringLiteral("lb_tmpr4"))->text(), u" 86399");
    tick(f, 4, 86400 - 2);
    QCOMPARE(f.port().written(), QByteArray("7"));
    QCOMPARE(f.label(QStringLiteral("lb_tmpr4"))->text(), u" 1");
    tick(f, 4);
    QCOMPARE(f.label(QStringLiteral("lb_tmpr4"))->text(), u" 0");
    QCOMPARE(f.port().written(), QByteArray("78"));
    QVERIFY(!f.timer(QStringLiteral("Timer4"))->isActive());
}

void TestCountdown::editsDuringTheCountdown()
{
    WindowFixture f;
    f.start();
    QLabel *label = f.label(QStringLiteral("lb_tmpr1"));

    // Shortened below the count: ends at the next tick, after showing the overrun.
    startCountdown(f, 1, QStringLiteral("10"), QStringLiteral("SEG"));
    tick(f, 1, 6);
    f.edit(QStringLiteral("txt_tmp1"))->setText(QStringLiteral("3"));
    tick(f, 1);
    QCOMPARE(label->text(), u"-4");
    QCOMPARE(f.port().written(), QByteArray("12"));

    // Minutes changed to seconds after 30 ticks.
    startCountdown(f, 1, QStringLiteral("2"), QStringLiteral("MIN"));
    tick(f, 1, 30);
    f.combo(QStringLiteral("Cmb_tmp1"))->setEditText(QStringLiteral("SEG"));
    tick(f, 1);
    QCOMPARE(label->text(), u"-29");
    QCOMPARE(f.port().written(), QByteArray("1212"));

    // Seconds changed to minutes after 3 ticks: goes on to tick 300.
    startCountdown(f, 1, QStringLiteral("5"), QStringLiteral("SEG"));
    tick(f, 1, 3);
    f.combo(QStringLiteral("Cmb_tmp1"))->setEditText(QStringLiteral("MIN"));
    tick(f, 1, 296);
    QCOMPARE(label->text(), u"1");
    QCOMPARE(f.port().written(), QByteArray("12121"));
    tick(f, 1);
    QCOMPARE(f.port().written(), QByteArray("121212"));
}

void TestCountdown::switchedOffByItsButton()
{
    WindowFixture f;
    f.start();
    startCountdown(f, 3, QStringLiteral("10"), QStringLiteral("SEG"));
    tick(f, 3, 4);
    WindowFixture::click(f.relayButton(3));
    QVERIFY(!f.timer(QStringLiteral("Timer3"))->isActive());
    QCOMPARE(f.window().relays().countdown(3).tempoDecorrido(), 0);
    QCOMPARE(f.label(QStringLiteral("lb_tmpr3"))->text(), u"6");
    // The next switch-on counts the full duration again.
    WindowFixture::click(f.relayButton(3));
    tick(f, 3);
    QCOMPARE(f.label(QStringLiteral("lb_tmpr3"))->text(), u"9");
}

void TestCountdown::unknownUnitAndClearedBox()
{
    WindowFixture f;
    f.start();
    // "seg" is no unit: ticks only count.
    startCountdown(f, 2, QStringLiteral("2"), QStringLiteral("seg"));
    tick(f, 2, 5);
    QCOMPARE(f.label(QStringLiteral("lb_tmpr2"))->text(), u"0");
    QCOMPARE(f.window().relays().countdown(2).tempoDecorrido(), 5);
    QCOMPARE(f.port().written(), QByteArray("3"));
    WindowFixture::click(f.relayButton(2));

    // Clearing the box during a countdown does not stop it.
    startCountdown(f, 2, QStringLiteral("2"), QStringLiteral("SEG"));
    f.checkBox(QStringLiteral("chk_timer2"))->setChecked(false);
    tick(f, 2, 2);
    QCOMPARE(f.port().written(), QByteArray("3434"));
}

void TestCountdown::twoRelaysAtOnce()
{
    WindowFixture f;
    f.start();
    startCountdown(f, 1, QStringLiteral("3"), QStringLiteral("SEG"));
    tick(f, 1);
    startCountdown(f, 3, QStringLiteral("2"), QStringLiteral("SEG"));
    tick(f, 3);
    tick(f, 1);
    QCOMPARE(f.label(QStringLiteral("lb_tmpr1"))->text(), u"1");
    QCOMPARE(f.label(QStringLiteral("lb_tmpr3"))->text(), u"1");
    tick(f, 3);
    QCOMPARE(f.port().written(), QByteArray("156"));
    QVERIFY(f.timer(QStringLiteral("Timer1"))->isActive());
    tick(f, 1);
    QCOMPARE(f.port().written(), QByteArray("1562"));
    QCOMPARE(f.window().relays().countdown(3).tempoDecorrido(), 0);
}

QTEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
