#include "platform/qttranslation.h"
#include "support/windowfixture.h"

#include <QAccessible>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace tavex;
using namespace tavex::test;

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(text) : QString();
}

} // namespace

// The window as the user meets it: its controls at rest, names, tab order and Qt's own texts.
class TestInventory : public QObject
{
    Q_OBJECT

private slots:
    void atRestNamedInTabOrderAndInPortuguese()
    {
        WindowFixture f;
        f.start();
        MainWindow &w = f.window();
        // No timer runs.
        for (QTimer *timer : w.findChildren<QTimer *>())
            QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));
        // No box is ticked, and a caption is never cut: a captioned control is as wide as
        // its caption needs.
        const QList<QCheckBox *> boxes = w.findChildren<QCheckBox *>();
        QList<QAbstractButton *> captioned(boxes.cbegin(), boxes.cend());
        captioned << f.button(QStringLiteral("btn_editarBotoes")) << f.button(QStringLiteral("btn_salvar"));
        for (QAbstractButton *control : captioned)
            QVERIFY2(!control->isChecked() && control->width() >= control->sizeHint().width(),
                     qPrintable(control->objectName()));
        // Relay 1's switch-off hour lies on the window, in line with its counterparts.
        QComboBox *offHour = w.scheduleFrame(1)->offHourBox();
        QVERIFY(offHour->parentWidget() == &w && offHour->isVisible());
        QCOMPARE(w.scheduleFrame(2)->offHourBox()->mapTo(&w, QPoint(0, 0)).x(), offHour->x());

        // A combo box is read by what it sets, its text as its value.
        for (QComboBox *box : f.window().findChildren<QComboBox *>())
            QCOMPARE(accessibleText(box, QAccessible::Value) + u'/' + accessibleText(box),
                     box->currentText() + u'/' + accessibleText(box->lineEdit()));
        QCOMPARE(accessibleText(f.combo(QStringLiteral("Cmb1_min_desligar3"))), u"Minuto de desligar o relé 3");
        // The labels that show a value are read by what they show, described by what it is.
        const auto heard = [](QWidget *label) {
            return accessibleText(label) + QStringLiteral(" / ") + accessibleText(label, QAccessible::Description);
        };
        QCOMPARE(heard(f.window().findChild<QLabel *>(QStringLiteral("lb_com_detectada"))), u"COM 3 / Porta detectada");
        QCOMPARE(heard(f.window().durationEntry(2)->remainingLabel()), u"0 / Segundos restantes do relé 2");
        // A relay button is read with its name and whether the relay is on.
        WindowFixture::click(f.relayButton(4));
        QCOMPARE(accessibleText(f.relayButton(4)), u"Relé 4, RELE 4, ligado");
        QVERIFY(QAccessible::queryAccessibleInterface(f.relayButton(4))->state().checked);
        // Switched off, relay 4's caption loses the second blank of its design caption.
        WindowFixture::click(f.relayButton(4));
        QCOMPARE(f.relayButton(4)->text(), u"RELE 4 (OFF)");

        // The tab order runs row by row.
        QStringList expected{"btn_editarBotoes", "btn_salvar"};
        const char *minus[] = {"timer1_menos", "timer2_menos", "Command3", "Command4"};
        for (int n = 1; n <= 4; ++n)
            expected << QStringLiteral("btn_rele%1 chk_timer%1 txt_tmp%1 timer%1_mais %2 Cmb_tmp%1 Chk_agendar%3 "
                                       "Cmb1_hora_ligar%1 Cmb1_min_ligar%1 Cmb1_hora_desligar%1 Cmb1_min_desligar%1")
                                .arg(n).arg(QLatin1String(minus[n - 1]), n == 1 ? QString() : QString::number(n))
                                .split(u' ');
        expected << "chk_extender" << "sem_conversor" << "btn_rele5" << "btn_rele6" << "btn_rele7" << "btn_rele8";
        // Tab from the first control round the window, as the keyboard does. Every control it
        // reaches is read with a name of its own; an editable combo box is read through its
        // text field, which has the focus on its behalf.
        f.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
        f.button(QStringLiteral("btn_editarBotoes"))->setFocus();
        QStringList visited, names;
        for (QWidget *focused; visited.size() < expected.size(); QTest::keyClick(focused, Qt::Key_Tab)) {
            QVERIFY(focused = QApplication::focusWidget());
            names << accessibleText(focused);
            QVERIFY2(!names.last().isEmpty() && names.count(names.last()) == 1, qPrintable(names.join(u'|')));
            if (qobject_cast<QComboBox *>(focused->parentWidget()))
                focused = focused->parentWidget();
            visited << focused->objectName();
        }
        QCOMPARE(visited, expected);

        // Qt's own texts as the program installs them: a field's context menu, whose entries
        // come from one catalogue.
        QVERIFY(installQtTranslation(*qApp));
        const std::unique_ptr<QMenu> menu(f.edit(QStringLiteral("txt_tmp1"))->createStandardContextMenu());
        QCOMPARE(menu->actions().constLast()->text().section(u'\t', 0, 0), u"Selecionar tudo");
    }
};

QTEST_MAIN(TestInventory)
#include "tst_inventory.moc"
