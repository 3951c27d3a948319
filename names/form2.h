#pragma once

#include "common/relay.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QLineEdit;

namespace tavex {

// The rename dialog, "Form2": one box per relay name and "SALVAR". It is a window of its own
// beside the main window, not modal. Closing it with the close box unloads it: the next
// showing loads the boxes from the names file again. A save only hides it, and the boxes
// keep what was typed.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    // `dataDir` holds the names file.
    Form2(QString dataDir, QWidget *parent);

    // Shows the dialog, loading it first when it is not loaded.
    void showLoaded();
    bool isLoaded() const { return m_loaded; }

    // Fills the boxes from the names file; a box whose entry cannot be read stays empty.
    void Form_Load();
    // Hands the boxes' texts to the save, then hides the dialog.
    void btn_salvar_Click();

    QLineEdit *nameBox(int relay) const { return m_boxes[relay - 1]; }
    QStringList boxTexts() const;

signals:
    void saveRequested(const QStringList &boxTexts);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Return and Enter save, as the default button "SALVAR"; Escape closes as the close box.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();

    QString m_dataDir;
    std::array<QLineEdit *, kRelayCount> m_boxes{};
    bool m_loaded = false;
};

} // namespace tavex
