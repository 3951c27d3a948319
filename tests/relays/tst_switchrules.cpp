#include "relays/keptswitches.h"
#include "relays/switchrecord.h"

#include <QTest>

using namespace tavex;

class TestSwitchRules : public QObject
{
    Q_OBJECT

private slots:
    void keptSwitches()
    {
        // The latest switch of a relay replaces the one before, and takes its place in time.
        // Disarming a schedule drops only that schedule's switch; a click drops the relay's.
        using enum SwitchCause;
        KeptSwitches kept;
        for (const KeptSwitch &due : {KeptSwitch{3, Switch::Off, Countdown}, {1, Switch::On, Schedule},
                                      {3, Switch::On, Schedule}, {2, Switch::Off, Countdown},
                                      {4, Switch::Off, Countdown}, {5, Switch::On, Schedule}})
            kept.keep(due);
        kept.drop(1, Schedule);
        kept.drop(4, Schedule);
        kept.drop(2);
        QCOMPARE(kept.takeAll(), (QList<KeptSwitch>{{3, Switch::On, Schedule}, {4, Switch::Off, Countdown},
                                                    {5, Switch::On, Schedule}}));
        QVERIFY(kept.isEmpty());
        // Kept while the board is gone; otherwise made when it changes the relay.
        QVERIFY(timedSwitchAction(true, true, Switch::On) == TimedSwitchAction::Keep
                && timedSwitchAction(true, false, Switch::On) == TimedSwitchAction::Keep);
        QVERIFY(timedSwitchAction(false, true, Switch::On) == TimedSwitchAction::Make
                && timedSwitchAction(false, false, Switch::Off) == TimedSwitchAction::Make);
        QVERIFY(timedSwitchAction(false, true, Switch::Off) == TimedSwitchAction::Leave
                && timedSwitchAction(false, false, Switch::On) == TimedSwitchAction::Leave);
    }

    void recordLine()
    {
        // Every cause and "falhou" are read from the file the program writes; here, a name
        // that would break the line or pass for a placeholder.
        const QDateTime when(QDate(2026, 12, 7), QTime(7, 0, 5, 900));
        QCOMPARE(switchRecordLine(when, 2, u"A\nB\tC\u2028%1"_qs, Switch::On, SwitchCause::Reconnection, false),
                 u"2026-12-07 07:00:05  relé 2 (A B C %1)  ligado  reconexão  falhou"_qs);
    }
};

QTEST_GUILESS_MAIN(TestSwitchRules)
#include "tst_switchrules.moc"
