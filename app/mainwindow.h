#pragma once

#include "commands/commanddesk.h"
#include "common/relay.h"
#include "platform/configdir.h"
#include "platform/messages.h"
#include "platform/switchlog.h"
#include "relays/relayboard.h"
#include "schedule/schedulerules.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace tavex {

class Clock;
class DurationEntry;
class Form2;
class ScheduleFrame;
class SerialPort;

// What the main window works with: the serial port, the clock, the message boxes, the
// directory of the data files and that of the switch record (none: nothing is recorded).
// Tests hand in fakes.
struct WindowServices
{
    SerialPort &port;
    Clock &clock;
    MessageSink &messages;
    QString configDir;
    QString stateDir = {};
};

// The program's one main window, "Form1". It holds every control and the timers, draws what
// the relay board says and forwards each event to the rule that handles it.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(const WindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    RelayBoard &board() { return *m_board; }
    // Answers the commands of other programs (app/windowcommands.cpp).
    CommandDesk &commandDesk() { return *m_commandDesk; }
    QPushButton *relayButton(int relay) const { return m_relayButtons[relay - 1]; }
    DurationEntry *durationEntry(int relay) const { return m_durationEntries[relay - 1]; }
    ScheduleFrame *scheduleFrame(int relay) const { return m_scheduleFrames[relay - 1]; }

    // The start-up sequence; runs once, before the window is first shown.
    void Form_Load();

    // The relay toggles, as a click runs them. While a message is open a click switches
    // nothing.
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

    // The daily schedule of relays 1 to 4: arming and disarming on every change of the box,
    // by the user or the program, and the 10-second tick while armed.
    void Chk_agendar_Click() { scheduleBoxChanged(1); }
    void Chk_agendar2_Click() { scheduleBoxChanged(2); }
    void Chk_agendar3_Click() { scheduleBoxChanged(3); }
    void Chk_agendar4_Click() { scheduleBoxChanged(4); }
    void scheduleBoxChanged(int relay);
    void Timer_agenda1_Timer() { scheduleTimerTick(1); }
    void Timer_agenda2_Timer() { scheduleTimerTick(2); }
    void Timer_agenda3_Timer() { scheduleTimerTick(3); }
    void Timer_agenda4_Timer() { scheduleTimerTick(4); }
    void scheduleTimerTick(int relay);
    // jaLigouN, jaDesligouN and ultimoMinutoN.
    const ScheduleMarks &scheduleMarks(int relay) const { return m_scheduleMarks[relay - 1]; }

    // Shows relays 5 to 8 while the box is ticked, hides them otherwise.
    void chk_extender_Click();

    // The settings file: saved by btn_salvar and by every change of sem_conversor, read once
    // at start-up. sem_conversor_Click moves the port search to the computer's own serial
    // port (from port 1) or back to the converter (from port 3), saves, and searches again.
    void btn_salvar_Click() { saveSettings(SaveRequest::ByUser); }
    void carregaConfiguracoes();
    void sem_conversor_Click();

    // The board is gone: tell the user and search the ports again after OK. The message
    // closes by itself when the board is found meanwhile.
    void reconectaConversor();

    // Closing asks first while a countdown runs, a schedule is armed or a kept switch waits,
    // unless the session is ending.
    void endWithoutAsking() { m_endWithoutAsking = true; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class SaveRequest { ByUser, Automatic };
    void saveSettings(SaveRequest request);
    std::array<QComboBox *, 16> settingsTimeBoxes() const;
    std::array<QCheckBox *, 10> settingsBoxes() const;

    void buildControls();
    void connectControls();
    // Fills the lists and readies the window to be shown, in the first switch-off pause.
    void readyWindow();
    void startupFailed();
    // A search found the board (at start-up, after OK, by the watch or by the own-port
    // option): the buttons come back and a message about the board closes.
    void boardFound();
    // The board's loss is to be told: the cable-loss message, once no other message is open.
    void tellBoardLoss();
    bool somethingRunning() const;
    void enableRelayButtons();
    bool scheduleHoldsButton(int relay) const;
    void clearSchedule(int relay); // chk_timerN_Click

    ConfigDir m_configDir;
    Clock &m_clock;
    Messages m_messages;
    SwitchLog m_switchLog;
    RelayBoard *m_board;

    std::array<QPushButton *, kRelayCount> m_relayButtons{};
    std::array<DurationEntry *, kTimedRelayCount> m_durationEntries{};
    std::array<ScheduleFrame *, kTimedRelayCount> m_scheduleFrames{};
    std::array<ScheduleMarks, kTimedRelayCount> m_scheduleMarks{};
    QLabel *m_portLabel = nullptr;
    QCheckBox *m_extendBox = nullptr;
    QCheckBox *m_ownPortBox = nullptr;
    bool m_cableLossWaiting = false;
    // While the settings load, the saves it triggers wait until after the start-up's
    // switch-off commands.
    bool m_loadingSettings = false;
    bool m_saveOwed = false;
    bool m_endWithoutAsking = false;
    // Whether the user has been told that settings cannot be kept (at start-up, or by a
    // save that the program made by itself); such saves then fail without another word.
    bool m_settingsFailureTold = false;

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
    // What the window shows of a relay beyond its state, for a command's answer.
    RelayExtras relayExtras(int relay) const;
    // A command's switch could not be written: as after a failed click, unless a message is
    // open.
    void commandSwitchFailed();
    CommandDesk *m_commandDesk;

    void salvarNomes(const QStringList &boxTexts); // the rename dialog's save
    Form2 *m_form2 = nullptr;
    bool m_namesRead = false;
};

} // namespace tavex
