#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

namespace {

// The relay's countdown timer fires, `times` times in a row.
void tick(WindowFixture &f, int relay, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(&f.window().board().relays().countdown(relay).timer(), "timeout");
}

} // namespace

class TestCountdown : public QObject
{
    Q_OBJECT

private slots:
    void steps_data()
    {
        QTest::addColumn<qint64>("ticks");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("locale");
        // The label's new text, "(kept)" when it keeps its own, and "end" when the count ends.
        QTest::addColumn<QString>("step");
        // The label counts down the duration's value, the end comes at its leading number.
        QTest::newRow("1:3 SEG") << qint64(1) << "1:3" << "SEG" << "C" << "0 end";
        QTest::newRow("2,5 SEG in Brazil") << qint64(2) << "2,5" << "SEG" << "pt_BR" << "0,5 end";
        QTest::newRow("2.5 SEG in Brazil") << qint64(2) << "2.5" << "SEG" << "pt_BR" << "0,5";
        // Hours and days are written with a blank where a sign would stand.
        QTest::newRow("1 HOR") << qint64(1) << "1" << "HOR" << "C" << " 3599";
        // A unit is one of the four texts exactly; any other only counts.
        QTest::newRow("a blank after the unit") << qint64(100) << "1" << "SEG " << "C" << "(kept)";
    }

    void steps()
    {
        QFETCH(qint64, ticks);
        QFETCH(QString, duration);
        QFETCH(QString, unit);
        QFETCH(QString, locale);
        QFETCH(QString, step);
        const CountdownStep done = countdownStep(ticks, duration, unit, QLocale(locale));
        QCOMPARE(done.label.value_or(u"(kept)"_qs) + (done.finished ? u" end"_qs : QString()), step);
    }

    void secondsLeft()
    {
        // As the state of a running count tells them: "4.1" "MIN" ends on tick 246; a count
        // whose unit is none of the four never ends.
        QCOMPARE(countdownSecondsLeft(10, countdownTarget(u"4.1", u"MIN", QLocale::c())), 236);
        QCOMPARE(countdownSecondsLeft(0, countdownTarget(u"1", u"SEG ", QLocale::c())), std::nullopt);
    }

    void onlyASwitchOnStartsItAndLongCountsShowWhole()
    {
        WindowFixture f;
        f.start();
        Countdown &countdown = f.window().board().relays().countdown(3);
        QCheckBox *box = f.checkBox(QStringLiteral("chk_timer3"));
        const QLabel *remaining = f.window().durationEntry(3)->remainingLabel();
        WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp3")), QStringLiteral("10"));
        // Unticked at the switch-on, or ticked while the relay is on: no countdown.
        WindowFixture::click(f.relayButton(3));
        WindowFixture::tickBox(box);
        QVERIFY(!countdown.isRunning());
        WindowFixture::click(f.relayButton(3));
        WindowFixture::click(f.relayButton(3));
        // Unticking the box stops nothing; the texts are read at every tick.
        WindowFixture::tickBox(box);
        tick(f, 3, 4);
        QCOMPARE(remaining->text(), u"6");
        // Lowered below the count, it ends at the next tick, showing the overrun.
        WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp3")), QStringLiteral("4"));
        tick(f, 3);
        QCOMPARE(remaining->text(), u"-1");
        QVERIFY(!countdown.isRunning());
        // The next one starts from nothing; the label keeps its text until its first tick.
        WindowFixture::tickBox(box);
        WindowFixture::click(f.relayButton(3));
        QCOMPARE(remaining->text(), u"-1");
        WindowFixture::typeInto(f.combo(QStringLiteral("Cmb_tmp3")), QStringLiteral("MIN"));
        // The timer's own tick, once a second.
        QVERIFY(countdown.timer().interval() == 1000 && countdown.timer().timerType() == Qt::PreciseTimer);
        QTRY_COMPARE_WITH_TIMEOUT(remaining->text(), u"239", 2000);
        // A switch-off stops it.
        WindowFixture::click(f.relayButton(3));
        QVERIFY(!countdown.isRunning());
        QCOMPARE(f.port().written(), QByteArray("565656"));

        // A long count is shown whole.
        QLabel *label = f.window().durationEntry(1)->remainingLabel();
        const qreal fullSize = label->font().pointSizeF();
        // Typed into relay 1's unit box, "DIA" leaves three characters for the duration.
        WindowFixture::typeInto(f.combo(QStringLiteral("Cmb_tmp1")), QStringLiteral("DIA"));
        WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp1")), QStringLiteral("999"));
        WindowFixture::tickBox(f.checkBox(QStringLiteral("chk_timer1")));
        WindowFixture::click(f.relayButton(1));
        tick(f, 1);
        QCOMPARE(label->text(), u" 86313599");
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        const QRect inside = label->parentWidget()->contentsRect();
        QVERIFY(label->x() >= inside.left() && label->geometry().right() <= inside.right());
        // A short count has the label's full size again.
        WindowFixture::click(f.relayButton(1));
        WindowFixture::typeInto(f.combo(QStringLiteral("Cmb_tmp1")), QStringLiteral("HOR"));
        WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp1")), QStringLiteral("2"));
        WindowFixture::click(f.relayButton(1));
        tick(f, 1);
        QCOMPARE(label->font().pointSizeF(), fullSize);
    }
};

QTEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
