// The relay names of the main window: the names file and the rename dialog.

#include "app/mainwindow.h"

#include "names/form2.h"
#include "names/namesfile.h"
#include "relays/captions.h"
#include "relays/relaybank.h"

#include <QDir>

namespace tavex {

namespace {

QString namesNotSavedText(const QString &path)
{
    return QStringLiteral("Os nomes dos botões não foram salvos: não foi possível gravar o "
                          "arquivo %1.")
            .arg(QDir::toNativeSeparators(path));
}

// The state a caption applied from the names file tells: on for a relay that is on, so that a
// new name never makes a running relay look off.
Switch stateOf(const RelayBank &relays, int relay)
{
    return relays.releDesligado(relay) ? Switch::Off : Switch::On;
}

} // namespace

void MainWindow::carregaNomedosBotoes()
{
    const QList<QString> entries = readNamesFile(m_configDir.path());
    RelayBank &relays = m_board->relays();
    for (int n = 1; n <= kRelayCount; ++n) {
        // A read that fails leaves the name as it was; before the first reading there is none.
        QString name = m_namesRead ? relays.nomeRele(n) : QString();
        if (n <= entries.size())
            name = entries[n - 1];
        if (name.isEmpty())
            name = defaultRelayName(n);
        else
            relays.setCaption(n, appliedNameCaption(name, stateOf(relays, n)));
        relays.setNomeRele(n, name);
    }
    m_namesRead = true;
}

void MainWindow::applyNameCaptions()
{
    const QList<QString> entries = readNamesFile(m_configDir.path());
    RelayBank &relays = m_board->relays();
    for (int n = 1; n <= entries.size(); ++n) {
        if (!entries[n - 1].isEmpty())
            relays.setCaption(n, appliedNameCaption(entries[n - 1], stateOf(relays, n)));
    }
}

void MainWindow::btn_editarBotoes_Click()
{
    if (!m_form2) {
        m_form2 = new Form2(m_configDir.path(), this);
        connect(m_form2, &Form2::saveRequested, this, &MainWindow::salvarNomes);
    }
    m_form2->showLoaded();
}

void MainWindow::salvarNomes(const QStringList &boxTexts)
{
    for (int n = 1; n <= kRelayCount; ++n) {
        const QString name = trimBlanks(boxTexts.value(n - 1));
        if (!name.isEmpty())
            m_board->relays().setCaption(n, name);
    }
    // Without its directory the file cannot be kept, even where a file could be created.
    const bool saved = m_configDir.isUsable() && writeNamesFile(m_configDir.path(), boxTexts);
    // Applies what the file now holds: the new names, or the old ones when the save failed.
    carregaNomedosBotoes();
    if (!saved)
        m_messages.show(namesNotSavedText(m_configDir.filePath(kNamesFileName.toString())),
                        windowTitle(), MessageIcon::Warning);
}

} // namespace tavex
