#include "platform/qttranslation.h"
#include "support/windowfixture.h"

#include <QAccessible>
#include <QGroupBox>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace tavex;
using namespace tavex::test;

namespace {

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

// The window as the user meets it: its texts, lists, names, tab order and Qt's own texts.
class TestInventory : public QObject
{
    Q_OBJECT

private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("title") << "Label1" << " Controle de Acionamentos";
        QTest::newRow("rename") << "btn_editarBotoes" << "Renomear Botoes";
        QTest::newRow("save") << "btn_salvar" << "Salvar Horários";
        QTest::newRow("relay 1") << "btn_rele1" << "RELE 1 (OFF)";
        QTest::newRow("relay 4") << "btn_rele4" << "RELE 4  (OFF)";
        QTest::newRow("relay 8") << "btn_rele8" << "RELE 8  (OFF)";
        QTest::newRow("duration group") << "Frame8" << "Ao Clicar no Botão";
        QTest::newRow("duration box") << "chk_timer4" << "Ligar Durante:";
        QTest::newRow("schedule group") << "Frame7" << "Acionamento Agendado (automático)";
        QTest::newRow("schedule box") << "Chk_agendar4" << "Ligar às:                      e  Desligar às:";
        QTest::newRow("extended view") << "chk_extender" << "Exibir Versão Estendida";
        QTest::newRow("own port") << "sem_conversor" << "Utilizar Porta Serial sem o cabo USB/Serial";
        QTest::newRow("port") << "Label2" << "Porta detectada:";
    }

    void texts()
    {
        // What the control shows: its caption, title or text.
        QFETCH(QString, name);
        QFETCH(QString, text);
        WindowFixture f;
        QWidget *control = f.child<QWidget>(name);
        QCOMPARE(control->property(control->inherits("QGroupBox") ? "title" : "text").toString(), text);
    }

    void afterStart()
    {
        WindowFixture f;
        f.start();
        MainWindow &w = f.window();
        // The lists; filling them does not change what the boxes show.
        QStringList hours;
        for (int h = 0; h < 24; ++h)
            hours << QStringLiteral("%1 h").arg(h);
        const QList<QComboBox *> boxes = w.findChildren<QComboBox *>();
        QCOMPARE(boxes.size(), 20);
        for (QComboBox *box : boxes) {
            const bool units = box->objectName().startsWith(u"Cmb_tmp");
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items << box->itemText(i);
            const QStringList unitItems{"SEG", "MIN", "HOR", "DIA"}, minutes{"00", "15", "30", "45"};
            QCOMPARE(items, units ? unitItems : box->objectName().contains(u"hora") ? hours : minutes);
            QCOMPARE(box->currentIndex(), -1);
            QCOMPARE(box->currentText(), units ? QStringLiteral("SEG") : items.first());
        }
        // Every relay button shows and takes clicks; no timer runs.
        for (int n = 1; n <= 8; ++n)
            QVERIFY(f.relayButton(n)->isVisible() && f.relayButton(n)->isEnabled());
        for (QTimer *timer : w.findChildren<QTimer *>())
            QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));
        // No box is ticked, and a caption is never cut: a captioned control is as wide as
        // its caption needs.
        QList<QAbstractButton *> captioned{f.button(QStringLiteral("btn_editarBotoes")),
                                           f.button(QStringLiteral("btn_salvar"))};
        for (QCheckBox *box : w.findChildren<QCheckBox *>()) {
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
            captioned.append(box);
        }
        for (QAbstractButton *control : captioned)
            QVERIFY2(control->width() >= control->sizeHint().width(), qPrintable(control->objectName()));
        // Relay 1's switch-off hour lies on the window, in line with its counterparts.
        QComboBox *offHour = w.scheduleFrame(1)->offHourBox();
        QVERIFY(offHour->parentWidget() == &w && offHour->isVisible());
        QCOMPARE(w.scheduleFrame(2)->offHourBox()->mapTo(&w, QPoint(0, 0)).x(), offHour->x());
    }

    void everyControlIsNamed()
    {
        WindowFixture f;
        f.start();
        // Every control the keyboard reaches is read with a name of its own; an editable
        // combo box is read through its text field, which takes the focus.
        QSet<QString> names;
        for (QWidget *widget : f.window().findChildren<QWidget *>()) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&f.window())
                || qobject_cast<QComboBox *>(widget))
                continue;
            const QString name = accessibleName(widget);
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(widget->objectName() + u' ' + name));
            names.insert(name);
        }
        // A relay button is read with what it shows now.
        WindowFixture::click(f.relayButton(4));
        QCOMPARE(accessibleName(f.relayButton(4)), u"Relé 4, RELE 4 (ON): ligar ou desligar");
    }

    void tabOrderRunsRowByRow()
    {
        WindowFixture f;
        f.start();
        QStringList expected{"btn_editarBotoes", "btn_salvar"};
        const char *minus[] = {"timer1_menos", "timer2_menos", "Command3", "Command4"};
        for (int n = 1; n <= 4; ++n)
            expected << QStringLiteral("btn_rele%1 chk_timer%1 txt_tmp%1 timer%1_mais %2 Cmb_tmp%1 Chk_agendar%3 "
                                       "Cmb1_hora_ligar%1 Cmb1_min_ligar%1 Cmb1_hora_desligar%1 Cmb1_min_desligar%1")
                                .arg(n).arg(QLatin1String(minus[n - 1]), n == 1 ? QString() : QString::number(n))
                                .split(u' ');
        expected << "chk_extender" << "sem_conversor" << "btn_rele5" << "btn_rele6" << "btn_rele7" << "btn_rele8";
        // Tab from the first control round the window, as the keyboard does.
        f.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
        f.button(QStringLiteral("btn_editarBotoes"))->setFocus();
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused);
            // An editable combo box's text field has the focus on its behalf.
            if (qobject_cast<QComboBox *>(focused->parentWidget()))
                focused = focused->parentWidget();
            visited << focused->objectName();
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void qtTextsReadInPortuguese()
    {
        // Qt's own texts as the program installs them: a field's context menu.
        QVERIFY(installQtTranslation(*qApp));
        WindowFixture f;
        const std::unique_ptr<QMenu> menu(f.edit(QStringLiteral("txt_tmp1"))->createStandardContextMenu());
        QStringList words;
        for (const QAction *action : menu->actions())
            if (!action->isSeparator())
                words.append(action->text().section(u'\t', 0, 0));
        QCOMPARE(words, (QStringList{"&Desfazer", "&Refazer", "Recor&tar", "&Copiar", "C&olar", "Excluir",
                                     "Selecionar tudo"}));
    }
};

QTEST_MAIN(TestInventory)
#include "tst_inventory.moc"
