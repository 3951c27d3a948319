#pragma once

#include "app/mainwindow.h"
#include "link/link.h"
#include "platform/combos.h"
#include "relays/relaybank.h"
#include "schedule/scheduleframe.h"
#include "timed/countdown.h"
#include "timed/durationentry.h"
#include "support/fakeclock.h"
#include "support/fakemessages.h"
#include "support/fakeport.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

namespace tavex::test {

// The main window with a fake port, clock and message boxes, over a fresh configuration
// directory. One shared log shows the order of the writes and pauses.
class WindowFixture
{
public:
    // The board hangs on `boardPort` (0: no board at all). The data files live in
    // `configDir` (empty: none usable), by default a fresh directory of the fixture's own.
    explicit WindowFixture(int boardPort = 3, const std::optional<QString> &configDir = {})
        : m_configDir(configDir.value_or(m_dir.filePath(QStringLiteral("tavex"))))
    {
        if (boardPort > 0)
            m_port.plug(boardPort);
        m_window = std::make_unique<MainWindow>(WindowServices{m_port, m_clock, m_messages, m_configDir});
    }

    // Runs the start-up sequence and then forgets what it wrote and logged.
    void start()
    {
        m_window->Form_Load();
        m_window->show();
        m_port.clearWritten();
        m_port.clearTried();
        m_log.clear();
    }

    MainWindow &window() { return *m_window; }
    FakePort &port() { return m_port; }
    FakeClock &clock() { return m_clock; }
    FakeMessages &messages() { return m_messages; }
    QString configDir() const { return m_configDir; }
    // The path of a data file.
    QString dataFile(const QString &name) const { return m_configDir + u'/' + name; }

    template<typename T>
    T *child(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    QPushButton *button(const QString &name) const { return child<QPushButton>(name); }
    QCheckBox *checkBox(const QString &name) const { return child<QCheckBox>(name); }
    QComboBox *combo(const QString &name) const { return child<QComboBox>(name); }
    QLineEdit *edit(const QString &name) const { return child<QLineEdit>(name); }
    QPushButton *relayButton(int relay) const { return button(QStringLiteral("btn_rele%1").arg(relay)); }
    QCheckBox *armBox(int relay) const { return checkBox(QStringLiteral("Chk_agendar") + (relay > 1 ? QString::number(relay) : QString())); }
    QString portLabel() const { return child<QLabel>(QStringLiteral("lb_com_detectada"))->text(); }

    // A real mouse click on a control of the window.
    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // A click on a check box's box.
    static void tickBox(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2)); }
    // Picks an item from a combo box's drop-down list with the mouse.
    static void chooseFromList(QComboBox *box, const QString &item)
    {
        const QModelIndex index = box->model()->index(box->findText(item), 0);
        box->showPopup();
        box->view()->scrollTo(index);
        QTest::mouseClick(box->view()->viewport(), Qt::LeftButton, {}, box->view()->visualRect(index).center());
    }
    // Replaces the text of a field, or of a combo box's text part, by typing.
    static void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void typeInto(QComboBox *box, const QString &text) { typeInto(box->lineEdit(), text); }

private:
    QTemporaryDir m_dir;
    QString m_configDir;
    QStringList m_log;
    FakePort m_port{&m_log};
    FakeClock m_clock{&m_log};
    FakeMessages m_messages;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace tavex::test
