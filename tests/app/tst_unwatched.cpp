// Days of the window left alone: relays 1 to 4 on daily schedules, the cable pulled and put
// back, the computer asleep, the program started again, an arming box clicked now and then,
// and nobody to answer a message. Every byte the board gets is checked against what the
// schedules say.

#include "link/commands.h"
#include "support/files.h"
#include "support/windowfixture.h"

#include <QRandomGenerator>

using namespace tavex;
using namespace tavex::test;
using namespace Qt::StringLiterals;

namespace {

struct DailyTimes { QTime on, off; };
// Relay 2's runs across midnight; relays 3 and 4 switch on at the same time.
const DailyTimes kTimes[] = {{QTime(7, 0), QTime(7, 15)}, {QTime(22, 0), QTime(6, 0)},
                             {QTime(12, 30), QTime(12, 31)}, {QTime(12, 30), QTime(18, 45)}};

// Whether the schedule has the relay on: the direction of the last of its times whose minute
// began after `since`; nothing when none did.
std::optional<bool> scheduledOn(const DailyTimes &times, const QDateTime &since, const QDateTime &now)
{
    const auto last = [&](QTime time) { return QDateTime(now.date().addDays(time > now.time() ? -1 : 0), time); };
    return std::max(last(times.on), last(times.off)) > since ? std::optional(last(times.on) > last(times.off)) : std::nullopt;
}

// A relay as the board has it: on, its start-up switch-off owed; and what it must be when
// none of its schedule's times has come since `since`.
struct Relay { bool on = false, offOwed = false, baseline = false; QDateTime since; };

class UnwatchedDays
{
public:
    UnwatchedDays(quint32 seed, int days) : m_random(seed), m_end(m_now.addDays(days))
    {
        QString settings; // every schedule armed
        for (const DailyTimes &times : kTimes)
            settings += times.on.toString(u"H' h\r\n'mm'\r\n'") + times.off.toString(u"H' h\r\n'mm'\r\n'");
        writeFile(m_dir.filePath(u"tavex.ini"_s), settings.toLatin1() + QByteArray(" 1 \r\n").repeated(4) + QByteArray(" 0 \r\n").repeated(6));
        start();
        runUntil([] { return false; });
    }

    qsizetype count(const QString &event) const { return m_events.filter(u"  "_s + event).size(); }
    // The faults, then the events that led to them; empty without a fault.
    QString report() const { return m_faults.isEmpty() ? QString() : (m_faults + m_events.mid(m_events.size() - 30)).join(u'\n'); }

private:
    void fault(const QString &what) { m_faults << m_now.toString(u"dd hh:mm:ss  "_s) + what; }
    void event(const QString &what) { m_events << m_now.toString(u"dd hh:mm:ss  "_s) + what; }
    RelayBoard &board() { return m_f->window().board(); }

    // The program started with the cable as it is: its switch-offs are owed to every relay.
    void start()
    {
        m_f = std::make_unique<WindowFixture>(m_cableIn ? 3 : 0, m_dir.path());
        m_f->clock().setNow(m_now);
        m_f->messages().whileOpen = [this] { messageOpen(); };
        board().link().findChild<QTimer *>(u"watch"_s)->setInterval(10);
        for (Relay &relay : m_relays)
            relay = {relay.on, true, false, m_now};
        m_told = false;
        event(u"started"_s);
        m_f->window().Form_Load();
        m_f->window().show();
        consume();
    }

    // Nobody answers: the message is open until the program closes it.
    void messageOpen()
    {
        const qsizetype index = m_f->messages().shown().size() - 1;
        const auto closed = [&] { return m_f->messages().shown().at(index).closedByProgram; };
        event(u"message "_s + m_f->messages().shown().at(index).title);
        if (m_inTick || m_depth > 0 || std::exchange(m_told, true))
            fault(u"a message opened inside a tick, over a message or for a loss told"_s);
        ++m_depth;
        runUntil(closed);
        --m_depth;
        if (!closed())
            fault(u"a message still open at the end"_s);
    }

    void runUntil(const std::function<bool()> &done)
    {
        // An hour after the end, two for a message to close.
        while (m_faults.isEmpty() && m_now < m_end.addSecs(m_depth > 0 ? 7200 : 3600) && !done())
            step();
    }

    // Ten seconds later, or after a sleep; maybe something happens; then the armed schedules
    // tick. No event after the end, and the cable back for the last hour.
    void step()
    {
        const auto gone = [&] { return board().link().boardKnownGone(); };
        if (gone() && (!m_told || (m_cableIn && !QTest::qWaitFor([&] { return !gone(); }, 1000))))
            return fault(u"a switch kept in silence, or the board not found again with the cable in"_s);
        consume();
        // Per 10000 ticks: 3 sleeps, 5 pulls, 20 restores, 2 starts, 2 disarmings (50 while a
        // switch is kept), 9 armings.
        const QList<KeptSwitch> kept = board().keptSwitches().switches();
        const quint32 roll = m_now < m_end ? m_random.bounded(10000u) : 8;
        const auto rolled = [roll](quint32 from, quint32 to) { return roll >= from && roll < to; };
        // A sleep ends by the end at the latest, so the last hour finds what it left open.
        m_now = roll < 3 ? std::min(m_now.addSecs(m_random.bounded(61, 6 * 3600)), m_end) : m_now.addSecs(10);
        m_f->clock().setNow(m_now);
        if (roll < 3) {
            event(u"slept"_s);
        } else if (rolled(3, 28) && rolled(3, 8) == m_cableIn) {
            // A pull is a new loss, and the device's handle dies with it.
            m_cableIn = !m_cableIn;
            m_told = m_told && m_cableIn;
            m_cableIn ? m_f->port().plug(3) : (m_f->port().unplug(3), m_f->port().close());
            event(m_cableIn ? u"restored"_s : u"pulled"_s);
        } else if (rolled(28, 30) && m_depth == 0) {
            return start();
        } else if (rolled(30, kept.isEmpty() ? 41 : 81)) {
            const int n = kept.isEmpty() ? 1 + int(m_random.bounded(kTimedRelayCount)) : kept.first().relay;
            if (m_f->armBox(n)->isChecked() == (rolled(30, 32) || !kept.isEmpty())) {
                m_relays[n] = {m_relays[n].on, m_relays[n].offOwed, !board().relays().releDesligado(n), m_now};
                WindowFixture::click(m_f->armBox(n));
                event((m_f->armBox(n)->isChecked() ? u"armed %1"_s : u"disarmed %1"_s).arg(n));
            }
        }
        m_inTick = true;
        for (int n = 1; n <= kTimedRelayCount; ++n)
            if (m_f->child<QTimer>(u"Timer_agenda%1"_s.arg(n))->isActive())
                m_f->window().scheduleTimerTick(n);
        m_inTick = false;
        QCoreApplication::sendPostedEvents(); // what the tick queued, such as a loss to tell
        consume();
    }

    // The bytes the board got since the last look: each a command that changes its relay
    // (a start-up switch-off aside), one at most per relay. With the board there, nothing is
    // owed or kept, and the board, the window and the schedules agree.
    void consume()
    {
        std::array<int, kRelayCount + 1> switched{};
        for (char byte : m_f->port().written()) {
            event(u"byte "_s + QLatin1Char(byte));
            const auto command = std::find_if(kRelayCommands.begin(), kRelayCommands.end(),
                                              [&](const auto &pair) { return pair[0] == byte || pair[1] == byte; });
            const auto n = command - kRelayCommands.begin() + 1;
            const bool on = n <= kRelayCount && (*command)[0] == byte;
            if (n > kRelayCount || (m_relays[n].offOwed ? on : m_relays[n].on == on || ++switched[n] > 1))
                return fault(u"no command, a switch-on before the start-up's switch-off, or a switch made again"_s);
            m_relays[n] = {on, false, m_relays[n].baseline, m_relays[n].since};
        }
        m_f->port().clearWritten();
        if (!m_cableIn || board().link().boardKnownGone())
            return;
        for (int n = 1; n <= kRelayCount; ++n) {
            const Relay &relay = m_relays[n];
            const bool armed = isTimedRelay(n) && m_f->armBox(n)->isChecked();
            const bool expected = armed ? scheduledOn(kTimes[n - 1], relay.since, m_now).value_or(relay.baseline) : relay.baseline;
            if (!board().keptSwitches().isEmpty() || relay.offOwed || relay.on != expected || board().relays().releDesligado(n) == expected)
                fault(u"relay %1 %2 at the board: a switch kept or owed, or the window or the schedule disagree"_s.arg(n).arg(relay.on ? "on" : "off"));
        }
    }

    QRandomGenerator m_random;
    QTemporaryDir m_dir;
    std::unique_ptr<WindowFixture> m_f;
    QDateTime m_now{QDate(2026, 12, 7), QTime(5, 0, 5)};
    QDateTime m_end;
    std::array<Relay, kRelayCount + 1> m_relays; // by relay number
    bool m_cableIn = true;
    bool m_told = false; // the user told of the current loss of the board
    bool m_inTick = false;
    int m_depth = 0;
    QStringList m_faults, m_events;
};

} // namespace

class TestUnwatched : public QObject
{
    Q_OBJECT

private slots:
    void schedulesKeptForDays()
    {
        for (quint32 seed : {1u, 2u, 3u}) {
            const UnwatchedDays days(seed, 6);
            QVERIFY2(days.report().isEmpty(), qPrintable(u"seed %1\n"_s.arg(seed) + days.report()));
            // The days held what they are for.
            for (const QString &event : {u"slept"_s, u"pulled"_s, u"started"_s, u"disarmed"_s, u"message"_s, u"byte"_s})
                QVERIFY2(days.count(event) > 2, qPrintable(event));
        }
    }
};

QTEST_MAIN(TestUnwatched)
#include "tst_unwatched.moc"
