#include "support/windowfixture.h"

namespace tavex::test {

WindowFixture::WindowFixture(int boardPort)
{
    if (boardPort > 0)
        m_port.plug(boardPort);
    m_window = std::make_unique<MainWindow>(
            WindowServices{m_port, m_clock, m_messages, m_dir.filePath(QStringLiteral("tavex"))});
}

void WindowFixture::start()
{
    m_window->Form_Load();
    m_window->show();
    m_port.clearWritten();
    m_port.clearTried();
    m_log.clear();
}

QPushButton *WindowFixture::relayButton(int relay) const
{
    return button(QStringLiteral("btn_rele%1").arg(relay));
}

} // namespace tavex::test
