#include "support/windowfixture.h"

#include <QAbstractItemView>

namespace tavex::test {

WindowFixture::WindowFixture(int boardPort, const QString &configDir)
    : m_configDir(configDir.isEmpty() ? m_dir.filePath(QStringLiteral("tavex")) : configDir)
{
    if (boardPort > 0)
        m_port.plug(boardPort);
    m_window = std::make_unique<MainWindow>(WindowServices{m_port, m_clock, m_messages, m_configDir});
}

void WindowFixture::start()
{
    m_window->Form_Load();
    m_window->show();
    m_port.clearWritten();
    m_port.clearTried();
    m_log.clear();
}

void WindowFixture::chooseFromList(QComboBox *box, const QString &item)
{
    const int row = box->findText(item);
    if (row < 0)
        qFatal("%s has no item %s", qPrintable(box->objectName()), qPrintable(item));
    box->showPopup();
    QAbstractItemView *view = box->view();
    const QModelIndex index = box->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void WindowFixture::typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QPushButton *WindowFixture::relayButton(int relay) const
{
    return button(QStringLiteral("btn_rele%1").arg(relay));
}

} // namespace tavex::test
