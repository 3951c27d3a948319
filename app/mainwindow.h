#pragma once

#include "common/relay.h"
#include "platform/configdir.h"
#include "platform/messages.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <chrono>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tavex {

class Clock;
class DurationEntry;
class Form2;
class Link;
class RelayBank;
class ScheduleFrame;
class SerialPort;

// What the main window works with: the serial port, the clock, the message boxes and the
// directory of the data files. Tests hand in fakes.
struct WindowServices
{
    SerialPort &port;
    Clock &clock;
    MessageSink &messages;
    QString configDir;
};

// The program's one main window, "Form1". It holds every control, the relays' state, the
// link to the board and the timers, and forwards each event to the rule that handles it.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // The pause after each switch-off command at start-up (see Form_Load).
    static constexpr std::chrono::milliseconds kSwitchOffPause{30};

    explicit MainWindow(const WindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    Link &link() { return *m_link; }
    RelayBank &relays() { return *m_relays; }
    QPushButton *relayButton(int relay) const { return m_relayButtons[relay - 1]; }
    DurationEntry *durationEntry(int relay) const { return m_durationEntries[relay - 1]; }
    ScheduleFrame *scheduleFrame(int relay) const { return m_scheduleFrames[relay - 1]; }

    // The start-up sequence; runs once, before the window is first shown.
    void Form_Load();

    // The relay toggles: on a click, at the end of a countdown.
    void btn_rele1_Click() { toggleRelay(1); }
    void btn_rele2_Click() { toggleRelay(2); }
    void btn_rele3_Click() { toggleRelay(3); }
    void btn_rele4_Click() { toggleRelay(4); }
    void btn_rele5_Click() { toggleRelay(5); }
    void btn_rele6_Click() { toggleRelay(6); }
    void btn_rele7_Click() { toggleRelay(7); }
    void btn_rele8_Click() { toggleRelay(8); }
    void toggleRelay(int relay);

    // The countdown ticks of relays 1 to 4.
    void Timer1_Timer() { countdownTick(1); }
    void Timer2_Timer() { countdownTick(2); }
    void Timer3_Timer() { countdownTick(3); }
    void Timer4_Timer() { countdownTick(4); }
    void countdownTick(int relay);

    // Shows relays 5 to 8 while the box is ticked, hides them otherwise.
    void chk_extender_Click();

    // A relay command could not be written: tell the user and search the ports again.
    void reconectaConversor();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void fillLists();
    void switchOffAllRelays();
    void startupFailed();
    void enableRelayButtons();
    bool scheduleHoldsButton(int relay) const;
    void clearSchedule(int relay); // chk_timerN_Click

    ConfigDir m_configDir;
    Clock &m_clock;
    Messages m_messages;
    Link *m_link;
    RelayBank *m_relays;

    std::array<QPushButton *, kRelayCount> m_relayButtons{};
    std::array<DurationEntry *, kTimedRelayCount> m_durationEntries{};
    std::array<ScheduleFrame *, kTimedRelayCount> m_scheduleFrames{};
    QLabel *m_portLabel = nullptr;
    QCheckBox *m_extendBox = nullptr;
    QPixmap m_backdrop;

    // Relay names: the names file and the rename dialog (app/windownames.cpp).
public:
    // Names and captions from the names file: at start-up and after every save of the names.
    void carregaNomedosBotoes();
    // The second caption pass, run by the settings reader: captions from the names file, the
    // names left alone.
    void applyNameCaptions();
    // Shows the one rename dialog.
    void btn_editarBotoes_Click();

private:
    void salvarNomes(const QStringList &boxTexts); // the rename dialog's save
    Form2 *m_form2 = nullptr;
    bool m_namesRead = false;
};

} // namespace tavex
