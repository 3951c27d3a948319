#include "platform/combos.h"
#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

namespace {

void tickBox(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
}

// Relay n switched on with its duration box ticked and the duration and unit typed in.
void startCountdown(WindowFixture &f, int relay, const QString &duration, const QString &unit)
{
    DurationEntry *entry = f.window().durationEntry(relay);
    WindowFixture::typeInto(entry->unitBox()->lineEdit(), unit);
    WindowFixture::typeInto(entry->durationEdit(), duration);
    if (!entry->isTicked())
        tickBox(entry->durationBox());
    WindowFixture::click(f.relayButton(relay));
}

// The relay's countdown timer fires, `times` times in a row.
void tick(WindowFixture &f, int relay, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(&f.window().relays().countdown(relay).timer(), "timeout");
}

QString shown(WindowFixture &f, int relay)
{
    return f.window().durationEntry(relay)->remainingLabel()->text();
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
        QTest::addColumn<bool>("brazil");
        QTest::addColumn<QString>("label"); // null: the label is left as it was
        QTest::addColumn<bool>("finished");
        QTest::newRow("999 DIA, a tick before the end") << qint64(86313599) << "999" << "DIA" << false << " 1" << false;
        QTest::newRow("999 DIA, last tick") << qint64(86313600) << "999" << "DIA" << false << " 0" << true;
        // A target already passed ends the countdown, after showing the overrun.
        QTest::newRow("lowered to 3 at tick 7") << qint64(7) << "3" << "SEG" << false << "-4" << true;
        QTest::newRow("hours past the target") << qint64(3601) << "1" << "HOR" << false << "-1" << true;
        // The label counts down the duration's value, the end comes at its leading number.
        QTest::newRow("1:3 SEG") << qint64(1) << "1:3" << "SEG" << false << "0" << true;
        QTest::newRow("2,5 SEG in Brazil") << qint64(2) << "2,5" << "SEG" << true << "0,5" << true;
        QTest::newRow("2.5 SEG in Brazil") << qint64(2) << "2.5" << "SEG" << true << "0,5" << false;
        QTest::newRow("a negative target never ends") << qint64(1) << "-5" << "SEG" << false << "-6" << false;
        // A unit is one of the four texts exactly; any other only counts.
        QTest::newRow("a blank after the unit") << qint64(100) << "1" << "SEG " << false << QString() << false;
    }

    void steps()
    {
        QFETCH(qint64, ticks);
        QFETCH(QString, duration);
        QFETCH(QString, unit);
        QFETCH(bool, brazil);
        QFETCH(QString, label);
        QFETCH(bool, finished);
        const QLocale locale = brazil ? QLocale(QLocale::Portuguese, QLocale::Brazil) : QLocale::c();
        const CountdownStep step = countdownStep(ticks, duration, unit, locale);
        QCOMPARE(step.label.has_value(), !label.isNull());
        QCOMPARE(step.label.value_or(QString()), label);
        QCOMPARE(step.finished, finished);
    }

    void oneDecimalDurations_data()
    {
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<qint64>("tenthsOfTarget");
        const struct { const char *text; qint64 seconds; } units[] = {
                {"SEG", 1}, {"MIN", 60}, {"HOR", 3600}, {"DIA", 86400}};
        for (const auto &unit : units) {
            for (int tenths = 1; tenths <= 99; ++tenths) {
                const QString duration = QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
                QTest::addRow("%s %s", qPrintable(duration), unit.text)
                        << duration << QString::fromLatin1(unit.text) << tenths * unit.seconds;
            }
        }
    }

    void oneDecimalDurations()
    {
        // The countdown ends on the first tick that reaches the duration's exact value, and
        // the label shows the exact remaining seconds: never more digits than the duration has.
        QFETCH(QString, duration);
        QFETCH(QString, unit);
        QFETCH(qint64, tenthsOfTarget);
        const qint64 lastTick = (tenthsOfTarget + 9) / 10;
        for (const qint64 ticks : {qint64(1), lastTick - 1, lastTick}) {
            const qint64 left = tenthsOfTarget - 10 * ticks;
            const bool signBlank = left >= 0 && (unit == u"HOR" || unit == u"DIA");
            const CountdownStep step = countdownStep(ticks, duration, unit, QLocale::c());
            QCOMPARE(step.label.value_or(QString()),
                     QString::number(left / 10.0, 'g', 15).prepend(signBlank ? u" " : u""));
            QCOMPARE(step.finished, ticks == lastTick);
        }
    }

    void textsAreReadAtEveryTick()
    {
        WindowFixture f;
        f.start();
        // Seconds changed to minutes after 3 ticks, then the duration lowered below the count:
        // the countdown goes on, then ends at the next tick, showing the overrun.
        startCountdown(f, 1, QStringLiteral("5"), QStringLiteral("SEG"));
        tick(f, 1, 3);
        WindowFixture::typeInto(f.combo(QStringLiteral("Cmb_tmp1")), QStringLiteral("MIN"));
        tick(f, 1, 296);
        QCOMPARE(shown(f, 1), u"1");
        WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp1")), QStringLiteral("4"));
        tick(f, 1);
        QCOMPARE(shown(f, 1), u"-60");
        QCOMPARE(f.port().written(), QByteArray("12"));
        // An unknown unit only counts and leaves the label; clearing the box stops nothing.
        startCountdown(f, 1, QStringLiteral("2"), QStringLiteral("min"));
        tickBox(f.checkBox(QStringLiteral("chk_timer1")));
        tick(f, 1, 10);
        QCOMPARE(shown(f, 1), u"-60");
        WindowFixture::typeInto(f.combo(QStringLiteral("Cmb_tmp1")), QStringLiteral("SEG"));
        tick(f, 1);
        QCOMPARE(shown(f, 1), u"-9");
        QCOMPARE(f.port().written(), QByteArray("1212"));
    }

    void onlyASwitchOnStartsIt()
    {
        WindowFixture f;
        f.start();
        Countdown &countdown = f.window().relays().countdown(3);
        WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp3")), QStringLiteral("10"));
        // Unticked at the switch-on, or ticked while the relay is on: no countdown.
        WindowFixture::click(f.relayButton(3));
        tickBox(f.checkBox(QStringLiteral("chk_timer3")));
        QVERIFY(!countdown.isRunning());
        WindowFixture::click(f.relayButton(3));
        WindowFixture::click(f.relayButton(3));
        QVERIFY(countdown.isRunning());
        tick(f, 3, 4);
        QCOMPARE(shown(f, 3), u"6");
        // A switch-off stops it and clears the count; the label keeps its text.
        WindowFixture::click(f.relayButton(3));
        QVERIFY(!countdown.isRunning());
        WindowFixture::click(f.relayButton(3));
        QCOMPARE(shown(f, 3), u"6");
        tick(f, 3);
        QCOMPARE(shown(f, 3), u"9");
        QCOMPARE(f.port().written(), QByteArray("56565"));
    }

    void longCountsShowWhole()
    {
        WindowFixture f;
        f.start();
        QLabel *label = f.label(QStringLiteral("lb_tmpr1"));
        const qreal fullSize = label->font().pointSizeF();
        // Typed into relay 1's unit box, "DIA" leaves three characters for the duration.
        startCountdown(f, 1, QStringLiteral("999"), QStringLiteral("DIA"));
        tick(f, 1);
        QCOMPARE(label->text(), u" 86313599");
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        const QRect inside = label->parentWidget()->contentsRect();
        QVERIFY(label->x() >= inside.left() && label->geometry().right() <= inside.right());
        // A short count has the label's full size again.
        WindowFixture::click(f.relayButton(1));
        startCountdown(f, 1, QStringLiteral("2"), QStringLiteral("HOR"));
        tick(f, 1);
        QCOMPARE(label->text(), u" 7199");
        QCOMPARE(label->font().pointSizeF(), fullSize);
    }
};

QTEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
