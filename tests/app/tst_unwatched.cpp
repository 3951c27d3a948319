// Days of the window left alone: relays 1 to 4 on daily schedules, the cable pulled and put
// back, the computer asleep, the program started again, an arming box clicked now and then,
// and nobody to answer a message. Every byte the board gets is checked against what the
// schedules say.

#include "link/commands.h"
#include "support/files.h"
#include "support/windowfixture.h"

#include <QRandomGenerator>

#include <array>
#include <optional>

using namespace tavex;
using namespace tavex::test;
using namespace Qt::StringLiterals;

namespace {

struct DailyTimes { QTime on, off; };
// Relay 2's runs across midnight.
const std::array<DailyTimes, kTimedRelayCount> kTimes{{{QTime(7, 0), QTime(7, 15)}, {QTime(22, 0), QTime(6, 0)},
                                                       {QTime(12, 30), QTime(12, 31)}, {QTime(18, 5), QTime(18, 45)}}};

// The settings file with those times, every schedule armed.
QByteArray settingsFile()
{
    QString text;
    for (const DailyTimes &times : kTimes) {
        for (QTime time : {times.on, times.off})
            text += u"%1 h\r\n%2\r\n"_s.arg(time.hour()).arg(time.minute(), 2, 10, QLatin1Char('0'));
    }
    return text.toLatin1() + QByteArray(" 1 \r\n").repeated(4) + QByteArray(" 0 \r\n").repeated(6);
}

// The last moment, `now` or before, at which the clock read `time`.
QDateTime lastAt(QTime time, const QDateTime &now)
{
    const QDateTime today(now.date(), time);
    return today <= now ? today : today.addDays(-1);
}

// Whether the schedule has the relay on: the direction of the last of its times whose minute
// began after `since`; nothing when none did.
std::optional<bool> scheduledOn(const DailyTimes &times, const QDateTime &since, const QDateTime &now)
{
    const QDateTime on = lastAt(times.on, now);
    const QDateTime off = lastAt(times.off, now);
    return std::max(on, off) > since ? std::optional(on > off) : std::nullopt;
}

class UnwatchedDays
{
public:
    UnwatchedDays(quint32 seed, int days) : m_random(seed), m_end(m_now.addDays(days))
    {
        if (!writeFile(m_dir.filePath(u"tavex.ini"_s), settingsFile()))
            fault(u"the settings file not written"_s);
        start();
        runUntil([] { return false; });
    }

    QStringList faults() const { return m_faults; }
    int count(const QString &event) const { return m_counts.value(event); }
    // The faults, then the events that led to them.
    QString report() const { return (m_faults + m_events.mid(m_events.size() - 30)).join(u'\n'); }

private:
    void fault(const QString &what) { m_faults << m_now.toString(u"dd hh:mm:ss  "_s) + what; }
    void event(const QString &what)
    {
        ++m_counts[what.section(u' ', 0, 0)];
        m_events << m_now.toString(u"dd hh:mm:ss  "_s) + what;
    }
    Link &link() { return m_f->window().board().link(); }
    QCheckBox *armBox(int relay) const { return m_armBoxes[relay - 1]; }

    // The program started with the cable as it is: its switch-offs are owed to every relay.
    void start()
    {
        m_f.reset();
        m_f = std::make_unique<WindowFixture>(m_cableIn ? 3 : 0, m_dir.path());
        m_f->clock().setNow(m_now);
        m_f->messages().whileOpen = [this] { messageOpen(); };
        link().findChild<QTimer *>(u"watch"_s)->setInterval(10);
        for (int relay = 1; relay <= kTimedRelayCount; ++relay) {
            m_armBoxes[relay - 1] = m_f->checkBox(relay == 1 ? u"Chk_agendar"_s : u"Chk_agendar%1"_s.arg(relay));
            m_timers[relay - 1] = m_f->child<QTimer>(u"Timer_agenda%1"_s.arg(relay));
        }
        m_offOwed.fill(true);
        m_since.fill(m_now);
        m_baseline.fill(false);
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
        const QString title = m_f->messages().shown().at(index).title;
        event(u"message \"%1\""_s.arg(title));
        if (m_inTick || m_depth > 0 || std::exchange(m_told, true))
            fault(u"\"%1\" opened inside a tick, over a message or for a loss told"_s.arg(title));
        ++m_depth;
        runUntil([&] { return m_f->messages().shown().at(index).closedByProgram; });
        --m_depth;
        if (!m_f->messages().shown().at(index).closedByProgram)
            fault(u"\"%1\" still open at the end"_s.arg(title));
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
        if (m_cableIn && link().boardKnownGone() && !QTest::qWaitFor([&] { return !link().boardKnownGone(); }, 1000))
            return fault(u"the board not found again with the cable in"_s);
        consume();
        // Per 10000 ticks: 3 sleeps, 5 pulls, 20 restores, 2 starts, 2 disarmings, 9 armings.
        const quint32 roll = m_now < m_end ? m_random.bounded(10000u) : 8;
        const auto rolled = [roll](quint32 from, quint32 to) { return roll >= from && roll < to; };
        m_now = m_now.addSecs(roll < 3 ? m_random.bounded(61, 6 * 3600) : 10);
        m_f->clock().setNow(m_now);
        if (roll < 3) {
            event(u"slept"_s);
        } else if (rolled(3, 8) && m_cableIn) {
            m_cableIn = m_told = false;
            m_f->port().unplug(3);
            m_f->port().close(); // the device's handle dies with it
            event(u"pulled"_s);
        } else if (rolled(8, 28) && !m_cableIn) {
            m_cableIn = true;
            m_f->port().plug(3);
            event(u"restored"_s);
        } else if (rolled(28, 30) && m_depth == 0) {
            return start();
        } else if (rolled(30, 41)) {
            // Disarmed for about three hours; a relay whose switch is kept first.
            const QList<KeptSwitch> &kept = m_f->window().board().keptSwitches().switches();
            const int relay = kept.isEmpty() ? 1 + int(m_random.bounded(kTimedRelayCount)) : kept.first().relay;
            if (armBox(relay)->isChecked() == rolled(30, 32)) {
                m_since[relay] = m_now;
                m_baseline[relay] = !m_f->window().board().relays().releDesligado(relay);
                WindowFixture::click(armBox(relay));
                event(armBox(relay)->isChecked() ? u"armed %1"_s.arg(relay) : u"disarmed %1"_s.arg(relay));
            }
        }
        m_inTick = true;
        for (int relay = 1; relay <= kTimedRelayCount; ++relay) {
            if (m_timers[relay - 1]->isActive())
                m_f->window().scheduleTimerTick(relay);
        }
        m_inTick = false;
        QCoreApplication::processEvents();
        consume();
    }

    // The bytes the board got since the last look: each a command that changes its relay
    // (a start-up switch-off aside), one at most per relay. With the board there, the board,
    // the window and the schedules agree.
    void consume()
    {
        std::array<int, kRelayCount + 1> switched{};
        for (char byte : m_f->port().written()) {
            const auto command = std::find_if(kRelayCommands.begin(), kRelayCommands.end(),
                                              [&](const auto &pair) { return pair[0] == byte || pair[1] == byte; });
            const int relay = int(command - kRelayCommands.begin()) + 1;
            const bool on = command != kRelayCommands.end() && (*command)[0] == byte;
            event(u"byte %1"_s.arg(QLatin1Char(byte)));
            if (command == kRelayCommands.end() || (on && m_offOwed[relay]))
                fault(u"'%1': no command, or a switch-on before the start-up's switch-off"_s.arg(QLatin1Char(byte)));
            else if (!on && std::exchange(m_offOwed[relay], false))
                m_boardOn[relay] = false;
            else if (m_boardOn[relay] == on || ++switched[relay] > 1)
                fault(u"'%1': a switch made again, or twice at once"_s.arg(QLatin1Char(byte)));
            else
                m_boardOn[relay] = on;
        }
        m_f->port().clearWritten();
        // With the cable in, the board is found at once and nothing stays owed or kept.
        if (!m_cableIn || link().boardKnownGone())
            return;
        if (std::find(m_offOwed.begin() + 1, m_offOwed.end(), true) != m_offOwed.end()
            || !m_f->window().board().keptSwitches().isEmpty())
            fault(u"a switch owed to the board found"_s);
        for (int relay = 1; relay <= kRelayCount; ++relay) {
            const bool armed = isTimedRelay(relay) && armBox(relay)->isChecked();
            const bool expected = armed ? scheduledOn(kTimes[relay - 1], m_since[relay], m_now).value_or(m_baseline[relay])
                                        : m_baseline[relay];
            if (m_boardOn[relay] != expected || m_f->window().board().relays().releDesligado(relay) == expected)
                fault(u"relay %1 %2 at the board, the window or the schedule disagree"_s.arg(relay).arg(m_boardOn[relay]));
        }
    }

    QRandomGenerator m_random;
    QTemporaryDir m_dir;
    std::unique_ptr<WindowFixture> m_f;
    std::array<QCheckBox *, kTimedRelayCount> m_armBoxes{};
    std::array<QTimer *, kTimedRelayCount> m_timers{};
    QDateTime m_now{QDate(2026, 12, 7), QTime(5, 0, 5)};
    QDateTime m_end;
    bool m_cableIn = true;
    // Whether the user was told of the current loss of the board.
    bool m_told = false;
    bool m_inTick = false;
    int m_depth = 0;
    // By relay number: on at the board, its start-up switch-off owed, and what it must be
    // when no schedule time has come since `since`.
    std::array<bool, kRelayCount + 1> m_boardOn{}, m_offOwed{}, m_baseline{};
    std::array<QDateTime, kRelayCount + 1> m_since;
    QStringList m_faults, m_events;
    QHash<QString, int> m_counts;
};

} // namespace

class TestUnwatched : public QObject
{
    Q_OBJECT

private slots:
    void schedulesKeptForDays_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u})
            QTest::addRow("seed %u", seed) << seed;
    }

    void schedulesKeptForDays()
    {
        QFETCH(quint32, seed);
        const UnwatchedDays days(seed, 6);
        QVERIFY2(days.faults().isEmpty(), qPrintable(days.report()));
        // The days held what they are for.
        for (const QString &event : {u"slept"_s, u"pulled"_s, u"started"_s, u"disarmed"_s, u"message"_s})
            QVERIFY2(days.count(event) > 0, qPrintable(event));
        QVERIFY(days.count(u"byte"_s) > 6 * 8);
    }
};

QTEST_MAIN(TestUnwatched)
#include "tst_unwatched.moc"
