#include "link/link.h"
#include "relays/relaybank.h"
#include "relays/relayboard.h"
#include "timed/countdown.h"
#include "support/fakeclock.h"
#include "support/fakeport.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

namespace {

// The relay board started on a fake port 3 with `writes` commands let through (-1: all); its
// record without the time, and its writes, pauses (".") and start-up work ("m") in order.
struct Board
{
    explicit Board(int writes = -1)
    {
        port.plug(3);
        port.failWritesAfter(writes);
        board.prepareStartup();
        board.search();
        started = board.switchOffAtStartup([this] { log << QStringLiteral("m"); });
    }
    // The cable is plugged back in and the board found again.
    void replug()
    {
        port.failWritesAfter(-1);
        port.plug(3);
        board.search();
    }
    QStringList log;
    FakePort port{&log};
    FakeClock clock{&log};
    QStringList record;
    RelayBoard board{port, clock, [this](const QString &line) { record << line.mid(21); }};
    QSignalSpy lossToTell{&board, &RelayBoard::lossToTell};
    bool started = false;
};

} // namespace

class TestRelayBoard : public QObject
{
    Q_OBJECT

private slots:
    void timedSwitches_data()
    {
        QTest::addColumn<int>("relay");
        QTest::addColumn<QString>("board"); // "there", "pulled" (not known yet) or "gone"
        QTest::addColumn<bool>("on");       // the relay before the switch
        QTest::addColumn<SwitchOutcome>("outcome");
        using enum SwitchOutcome;
        QTest::newRow("made") << 2 << "there" << false << Made;
        QTest::newRow("already in that state") << 2 << "there" << true << Left;
        QTest::newRow("relay 1 fails: kept, the port label cleared") << 1 << "pulled" << false << Kept;
        QTest::newRow("relay 2 fails: kept") << 2 << "pulled" << false << Kept;
        QTest::newRow("the board known gone: kept untried") << 2 << "gone" << true << Kept;
    }

    void timedSwitches()
    {
        // A countdown's or a schedule's switch-on: made, left, or kept and the loss announced
        // after the switch.
        QFETCH(int, relay);
        QFETCH(QString, board);
        QFETCH(bool, on);
        QFETCH(SwitchOutcome, outcome);
        Board b;
        if (on)
            QCOMPARE(b.board.switchByHand(relay), SwitchOutcome::Made);
        if (board != u"there")
            b.port.unplug(3);
        if (board == u"gone")
            QCOMPARE(b.board.switchByHand(5), SwitchOutcome::Failed);
        b.port.clearWritten();
        QCOMPARE(b.board.timedSwitch(relay, Switch::On, SwitchCause::Countdown), outcome);
        const QByteArray onCommand(1, "1357"[relay - 1]);
        QVERIFY(b.board.link().caption() == (relay == 1 ? u"Nenhuma" : u"COM 3") && b.lossToTell.isEmpty());
        QCOMPARE(b.port.written(), outcome == SwitchOutcome::Made ? onCommand : QByteArray());
        QCoreApplication::processEvents();
        QCOMPARE(b.lossToTell.count(), int(outcome == SwitchOutcome::Kept));
    }

    void keptUntilTheBoardIsFound()
    {
        // The start-up writes two commands: its work runs in the first pause, and its loss is
        // told by the start-up, so the switches kept after it announce nothing. A relay's later
        // switch replaces the one kept before; disarming drops only the schedule's, a click
        // the relay's, and a click is never kept. The board found makes the switch-offs owed
        // from the one that failed, then what was kept.
        using enum SwitchCause;
        Board b(2);
        b.board.setDurationTicked(3, true);
        for (const KeptSwitch &due : {KeptSwitch{3, Switch::Off, Countdown}, {1, Switch::On, Schedule},
                                      {3, Switch::On, Schedule}, {2, Switch::On, Countdown}, {4, Switch::On, Countdown}})
            QCOMPARE(b.board.timedSwitch(due.relay, due.direction, due.cause), SwitchOutcome::Kept);
        b.board.scheduleDisarmed(1);
        b.board.scheduleDisarmed(4);
        QCOMPARE(b.board.switchByHand(2), SwitchOutcome::Failed);
        QCOMPARE(b.board.keptSwitches().switches(), (QList<KeptSwitch>{{3, Switch::On, Schedule}, {4, Switch::On, Countdown}}));
        QCoreApplication::processEvents();
        b.log << QStringLiteral("|");
        b.replug();
        QCOMPARE(b.log.join(QString()).remove(QStringLiteral("write ")).replace(QStringLiteral("pause 30"), QStringLiteral(".")),
                 u"2m.4.|6.8.B.D.F.H.57");
        QVERIFY(!b.started && b.lossToTell.isEmpty() && b.record.contains(u"relé 3 (RELE 3)  desligado  início  falhou"_qs));
        // Made as the switch-on it was, with the duration box ticked: counting.
        QVERIFY(b.board.relays().countdown(3).isRunning() && b.board.keptSwitches().isEmpty());
        QCOMPARE(b.record.last(), u"relé 4 (RELE 4)  ligado  reconexão");
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

QTEST_GUILESS_MAIN(TestRelayBoard)
#include "tst_relayboard.moc"
