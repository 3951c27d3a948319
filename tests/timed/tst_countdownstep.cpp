#include "timed/countdown.h"

#include <QTest>

using namespace tavex;

class TestCountdownStep : public QObject
{
    Q_OBJECT

private slots:
    void labelsAndEnd_data();
    void labelsAndEnd();
    void oneDecimalDurations_data();
    void oneDecimalDurations();
    void longDurationsEnd();
    void unknownUnitOnlyCounts();
    void advanceCounts();
};

void TestCountdownStep::labelsAndEnd_data()
{
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("finished");

    QTest::newRow("5 SEG, first tick") << qint64(1) << "5" << "SEG" << "4" << false;
    QTest::newRow("5 SEG, fifth tick") << qint64(5) << "5" << "SEG" << "0" << true;
    QTest::newRow("1 MIN, first tick") << qint64(1) << "1" << "MIN" << "59" << false;
    QTest::newRow("1 MIN, sixtieth tick") << qint64(60) << "1" << "MIN" << "0" << true;
    QTest::newRow("2 HOR, first tick") << qint64(1) << "2" << "HOR" << " 7199" << false;
    QTest::newRow("2 HOR, last tick") << qint64(7200) << "2" << "HOR" << " 0" << true;
    QTest::newRow("1 DIA, first tick") << qint64(1) << "1" << "DIA" << " 86399" << false;
    QTest::newRow("1 DIA, last tick") << qint64(86400) << "1" << "DIA" << " 0" << true;
    // A target already passed ends the countdown, after showing the overrun.
    QTest::newRow("lowered to 3 at tick 7") << qint64(7) << "3" << "SEG" << "-4" << true;
    QTest::newRow("MIN to SEG at tick 31") << qint64(31) << "2" << "SEG" << "-29" << true;
    QTest::newRow("SEG to MIN at tick 4") << qint64(4) << "5" << "MIN" << "296" << false;
    QTest::newRow("hours past the target") << qint64(3601) << "1" << "HOR" << "-1" << true;
    // No value in the locale's format: the leading-number value counts.
    QTest::newRow("1:3 SEG") << qint64(1) << "1:3" << "SEG" << "0" << true;
    // A negative target never ends by itself.
    QTest::newRow("-5 SEG") << qint64(1) << "-5" << "SEG" << "-6" << false;
}

void TestCountdownStep::labelsAndEnd()
{
    QFETCH(qint64, ticks);
    QFETCH(QString, duration);
    QFETCH(QString, unit);
    QFETCH(QString, label);
    QFETCH(bool, finished);
    const CountdownStep step = countdownStep(ticks, duration, unit, QLocale::c());
    QCOMPARE(step.label, label);
    QCOMPARE(step.finished, finished);
}

namespace {

// The remaining seconds, given in tenths, as the label writes them: whole tenths only.
QString tenthsText(qint64 tenths, bool signBlank)
{
    QString text = QString::number(std::abs(tenths) / 10);
    if (tenths % 10 != 0)
        text += u'.' + QString::number(std::abs(tenths) % 10);
    if (tenths < 0)
        return u'-' + text;
    return signBlank ? u' ' + text : text;
}

} // namespace

void TestCountdownStep::oneDecimalDurations_data()
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

void TestCountdownStep::oneDecimalDurations()
{
    // The countdown ends on the first tick that reaches the duration's exact value, and the
    // label shows the exact remaining seconds: never more digits than the duration has.
    QFETCH(QString, duration);
    QFETCH(QString, unit);
    QFETCH(qint64, tenthsOfTarget);
    const bool signBlank = unit == u"HOR" || unit == u"DIA";
    const qint64 lastTick = (tenthsOfTarget + 9) / 10;
    for (const qint64 ticks : {qint64(1), lastTick - 1, lastTick}) {
        if (ticks < 1)
            continue;
        const CountdownStep step = countdownStep(ticks, duration, unit, QLocale::c());
        const QString label = tenthsText(tenthsOfTarget - 10 * ticks, signBlank);
        QCOMPARE(step.label.value_or(QString()), label);
        QCOMPARE(step.finished, ticks == lastTick);
    }
}

void TestCountdownStep::longDurationsEnd()
{
    // The largest duration the entry holds: 999 days.
    const qint64 target = 999LL * 86400;
    QCOMPARE(countdownStep(target - 1, u"999", u"DIA", QLocale::c()).finished, false);
    const CountdownStep last = countdownStep(target, u"999", u"DIA", QLocale::c());
    QVERIFY(last.finished);
    QCOMPARE(last.label, u" 0");
    // Past the 16-bit range of a tick count.
    QCOMPARE(countdownStep(32768, u"10", u"HOR", QLocale::c()).label, u" 3232");
    QVERIFY(countdownStep(36000, u"10", u"HOR", QLocale::c()).finished);
}

void TestCountdownStep::unknownUnitOnlyCounts()
{
    for (const char *unit : {"seg", " SEG", "SEG ", "", "MINUTOS"}) {
        const CountdownStep step = countdownStep(100, u"1", QString::fromLatin1(unit), QLocale::c());
        QVERIFY2(!step.label, unit);
        QVERIFY2(!step.finished, unit);
    }
}

void TestCountdownStep::advanceCounts()
{
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    Countdown countdown(2);
    QCOMPARE(countdown.timer().objectName(), u"Timer2");
    QCOMPARE(countdown.timer().interval(), 1000);
    QCOMPARE(countdown.timer().timerType(), Qt::PreciseTimer);
    QVERIFY(!countdown.isRunning());
    // The locale's decimal mark shows in plain labels; "2.5" has no value there, so its
    // leading-number value is shown.
    QCOMPARE(countdown.advance(u"2,5", u"SEG", br).label, u"1,5");
    QCOMPARE(countdown.advance(u"2.5", u"SEG", br).label, u"0,5");
    QCOMPARE(countdown.tempoDecorrido(), 2);
    QVERIFY(countdown.advance(u"2.5", u"SEG", br).finished);
}

QTEST_GUILESS_MAIN(TestCountdownStep)
#include "tst_countdownstep.moc"
