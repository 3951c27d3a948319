// The start-up sequence of the main window.

#include "app/mainwindow.h"

#include "link/link.h"
#include "link/portsearch.h"
#include "names/namesfile.h"
#include "platform/datafile.h"
#include "platform/clock.h"
#include "relays/relaybank.h"
#include "schedule/scheduleframe.h"
#include "settings/settingsfile.h"
#include "timed/durationentry.h"

#include <QDir>
#include <QPushButton>

namespace tavex {

namespace {

QString settingsNotKeptText(const QString &path)
{
    // Without a usable home there is no path to name.
    const QString where = path.isEmpty()
            ? QString()
            : QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(path));
    return QStringLiteral("Não foi possível criar ou gravar a pasta de configurações%1. "
                          "O programa funciona normalmente, mas os nomes e horários salvos "
                          "não serão guardados.")
            .arg(where);
}

QString noConverterText()
{
    return QStringLiteral("O programa não conseguiu detectar o Cabo Conversor USB/Serial neste "
                          "computador ou o driver não está instalado.");
}

} // namespace

void MainWindow::Form_Load()
{
    // The data files live in the per-user configuration directory. Without it, or when it
    // cannot be written, the program still works and reads what it can; it only cannot keep
    // what the user saves.
    const bool keepsFiles = m_configDir.prepare();
    if (keepsFiles) {
        removeReplaceLeftovers(m_configDir.path(),
                               {kNamesFileName.toString(), kSettingsFileName.toString()});
    }
    m_settingsFailureTold = !keepsFiles;

    carregaNomedosBotoes();

    // The unit, hour and minute lists are filled while the first switch-off command pauses
    // (below): they keep the texts the settings put in their boxes, and nothing before the
    // commands reads them.

    // Every relay counts as off: the commands below switch them off on the board, and the
    // next click on any relay switches it on.
    m_relays->markAllOff();

    m_link->setPortaInicial(kConverterFirstPort);
    // A saved schedule arms itself here, and a saved own-port option already searches once.
    // The save that option makes waits until the relays are off: nothing it could say holds
    // up the start-up.
    m_loadingSettings = true;
    carregaConfiguracoes();
    m_loadingSettings = false;
    m_link->search();

    switchOffAllRelays();

    // Said once the window is up, after any message of the start-up: the relays are switched
    // off first, whoever is there to answer.
    if (!keepsFiles) {
        QMetaObject::invokeMethod(this, [this] {
            m_messages.show(settingsNotKeptText(m_configDir.path()), windowTitle(), MessageIcon::Warning);
        }, Qt::QueuedConnection);
    }
    if (m_saveOwed) {
        QMetaObject::invokeMethod(this, [this] {
            m_saveOwed = false;
            saveSettings(SaveRequest::Automatic);
        }, Qt::QueuedConnection);
    }
}

void MainWindow::readyWindow()
{
    // The lists, then the style and fonts, and the window on the screen, not yet mapped.
    for (DurationEntry *entry : m_durationEntries)
        entry->fillUnitList();
    for (ScheduleFrame *frame : m_scheduleFrames)
        frame->fillTimeLists();
    ensurePolished();
    create();
}

void MainWindow::switchOffAllRelays()
{
    const int failed = writeSwitchOffs(1, true);
    if (failed == 0)
        return;
    if (failed == 1)
        readyWindow();
    // The commands not written are made when the board is found.
    m_startupOffsOwed = failed;
    startupFailed();
}

int MainWindow::writeSwitchOffs(int first, bool startingUp)
{
    for (int n = first; n <= kRelayCount; ++n) {
        const bool written = m_link->send(n, Switch::Off);
        recordSwitch(n, Switch::Off, SwitchCause::Startup, written);
        if (!written)
            return n;
        // Keeps the commands apart, so the board acts on each before the next arrives and the
        // relays do not all switch in the same instant. No window event is handled meanwhile.
        // At start-up the first pause also readies the window to be shown, in time the pause
        // would spend waiting.
        if (startingUp && n == 1)
            m_clock.pause(kSwitchOffPause, [this] { readyWindow(); });
        else
            m_clock.pause(kSwitchOffPause);
    }
    return 0;
}

void MainWindow::startupFailed()
{
    m_lossTold = true;
    m_link->setCaption(noPortCaption());
    for (QPushButton *button : m_relayButtons)
        button->setEnabled(false);
    m_messages.show(noConverterText(), QStringLiteral("Erro de Comunicação"), MessageIcon::Critical,
                    m_link->lastSearchProblems(), MessageAbout::Board);
}

} // namespace tavex
