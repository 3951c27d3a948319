// The start-up sequence of the main window.

#include "app/mainwindow.h"

#include "link/link.h"
#include "names/namesfile.h"
#include "platform/datafile.h"
#include "platform/startupmarks.h"
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

    m_board->prepareStartup();
    // A saved schedule arms itself here, and a saved own-port option already searches once.
    // The save that option makes waits until the relays are off: nothing it could say holds
    // up the start-up.
    m_loadingSettings = true;
    carregaConfiguracoes();
    m_loadingSettings = false;
    m_board->search();
    markStartup("loaded");

    // The window is readied in the first switch-off pause. The commands not written are made
    // when the board is found.
    if (!m_board->switchOffAtStartup([this] { readyWindow(); }))
        startupFailed();

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
    markStartup("readied");
}

void MainWindow::startupFailed()
{
    for (QPushButton *button : m_relayButtons)
        button->setEnabled(false);
    m_messages.show(noConverterText(), QStringLiteral("Erro de Comunicação"), MessageIcon::Critical,
                    m_board->link().lastSearchProblems(), MessageAbout::Board);
}

} // namespace tavex
