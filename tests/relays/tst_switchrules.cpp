#include "relays/keptswitches.h"
#include "relays/switchrecord.h"

#include <QTest>

using namespace tavex;

Q_DECLARE_METATYPE(tavex::Switch)
Q_DECLARE_METATYPE(tavex::SwitchCause)

class TestSwitchRules : public QObject
{
    Q_OBJECT

private slots:
    void keptSwitches()
    {
        // The latest switch of a relay replaces the one before, and takes its place in time.
        KeptSwitches kept;
        kept.keep(3, Switch::Off);
        kept.keep(1, Switch::On);
        kept.keep(3, Switch::On);
        kept.keep(2, Switch::Off);
        QCOMPARE(kept.switches(), (QList<KeptSwitch>{{1, Switch::On}, {3, Switch::On}, {2, Switch::Off}}));
        QCOMPARE(kept.takeAll().size(), 3);
        QVERIFY(kept.isEmpty());
        // Only a switch to the other state changes a relay.
        QVERIFY(switchChangesRelay(true, Switch::On) && switchChangesRelay(false, Switch::Off));
        QVERIFY(!switchChangesRelay(true, Switch::Off) && !switchChangesRelay(false, Switch::On));
    }

    void recordLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Switch>("direction");
        QTest::addColumn<SwitchCause>("cause");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("line");
        const QString at = QStringLiteral("2026-12-07 07:00:05  relé 2 ");
        QTest::newRow("click") << "BOMBA, POÇO" << Switch::On << SwitchCause::Button << true
                               << at + "(BOMBA, POÇO)  ligado  botão";
        QTest::newRow("countdown") << "RELE 2" << Switch::Off << SwitchCause::Countdown << true
                                   << at + "(RELE 2)  desligado  contagem";
        QTest::newRow("schedule, failed") << "LUZ" << Switch::On << SwitchCause::Schedule << false
                                          << at + "(LUZ)  ligado  agenda  falhou";
        QTest::newRow("start-up") << "%1" << Switch::Off << SwitchCause::Startup << true
                                  << at + "(%1)  desligado  início";
        QTest::newRow("reconnection, a name that would break the line")
                << "A\nB\tC\u2028" << Switch::On << SwitchCause::Reconnection << true
                << at + "(A B C )  ligado  reconexão";
    }

    void recordLine()
    {
        QFETCH(QString, name);
        QFETCH(Switch, direction);
        QFETCH(SwitchCause, cause);
        QFETCH(bool, written);
        QFETCH(QString, line);
        const QDateTime when(QDate(2026, 12, 7), QTime(7, 0, 5, 900));
        QCOMPARE(switchRecordLine(when, 2, name, direction, cause, written), line);
    }
};

QTEST_GUILESS_MAIN(TestSwitchRules)
#include "tst_switchrules.moc"
