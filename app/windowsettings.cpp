// The settings file and the own-serial-port option, as the main window keeps them.

#include "app/mainwindow.h"

#include "platform/combos.h"
#include "platform/datafile.h"
#include "schedule/scheduleframe.h"
#include "settings/settingsfile.h"
#include "timed/durationentry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>

namespace tavex {

namespace {

QString settingsNotSavedText(const QString &path)
{
    return QStringLiteral("Não foi possível salvar os horários em %1. As alterações não foram "
                          "guardadas.")
            .arg(QDir::toNativeSeparators(path));
}

} // namespace

std::array<QComboBox *, kTimeLineCount> MainWindow::settingsTimeBoxes() const
{
    std::array<QComboBox *, kTimeLineCount> boxes{};
    for (int n = 1; n <= kTimedRelayCount; ++n) {
        const ScheduleFrame *frame = scheduleFrame(n);
        const std::size_t first = std::size_t(4 * (n - 1));
        boxes[first] = frame->onHourBox();
        boxes[first + 1] = frame->onMinuteBox();
        boxes[first + 2] = frame->offHourBox();
        boxes[first + 3] = frame->offMinuteBox();
    }
    return boxes;
}

std::array<QCheckBox *, kBoxLineCount> MainWindow::settingsBoxes() const
{
    std::array<QCheckBox *, kBoxLineCount> boxes{};
    for (int n = 1; n <= kTimedRelayCount; ++n) {
        boxes[std::size_t(n - 1)] = scheduleFrame(n)->armBox();
        boxes[std::size_t(kTimedRelayCount + n - 1)] = durationEntry(n)->durationBox();
    }
    boxes[8] = m_extendBox;
    boxes[9] = m_ownPortBox;
    return boxes;
}

void MainWindow::saveSettings(SaveRequest request)
{
    SettingsValues values;
    const auto timeBoxes = settingsTimeBoxes();
    for (std::size_t i = 0; i < timeBoxes.size(); ++i)
        values.times[i] = timeBoxes[i]->currentText();
    const auto boxes = settingsBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        values.boxes[i] = boxes[i]->isChecked();

    if (request == SaveRequest::Automatic && m_loadingSettings) {
        m_saveOwed = true;
        return;
    }
    const QString path = m_configDir.filePath(kSettingsFileName.toString());
    if (m_configDir.isUsable() && replaceFile(path, settingsFileContents(values)))
        return;
    // What the user asked for is always answered; a save the program made by itself says so
    // only once.
    if (request == SaveRequest::Automatic && m_settingsFailureTold)
        return;
    m_settingsFailureTold = true;
    m_messages.show(settingsNotSavedText(path), windowTitle(), MessageIcon::Warning);
}

void MainWindow::carregaConfiguracoes()
{
    // Read also from a directory that cannot be written: only the saves fail there. The file
    // is read whole and closed before anything is applied, so the save that the
    // own-port option makes while loading finds nothing open.
    const std::optional<QByteArray> bytes =
            readSmallFile(m_configDir.filePath(kSettingsFileName.toString()), kSettingsFileMaxBytes);
    if (!bytes)
        return;
    const LoadedSettings loaded = parseSettingsFile(*bytes);

    const auto timeBoxes = settingsTimeBoxes();
    for (std::size_t i = 0; i < timeBoxes.size(); ++i) {
        if (loaded.times[i])
            timeBoxes[i]->setEditText(*loaded.times[i]);
    }
    // In line order; every box that changes runs its own reaction: a schedule arms, a
    // duration box disarms the schedule of its relay, the own-port option saves and searches.
    const auto boxes = settingsBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (loaded.boxes[i])
            boxes[i]->setChecked(*loaded.boxes[i]);
    }
    chk_extender_Click();
    applyNameCaptions();
}

void MainWindow::sem_conversor_Click()
{
    m_board->useOwnSerialPort(m_ownPortBox->isChecked());
    saveSettings(SaveRequest::Automatic);
    m_board->searchAgain();
}

} // namespace tavex
