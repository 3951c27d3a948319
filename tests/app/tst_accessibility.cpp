#include "support/windowfixture.h"

#include <QAccessible>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void everyControlIsNamed();
    void tabOrderRunsRowByRow();
};

namespace {

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

void TestAccessibility::everyControlIsNamed()
{
    WindowFixture f;
    f.start();
    // Every control the keyboard reaches is read with a name of its own.
    QSet<QString> names;
    for (QWidget *widget : f.window().findChildren<QWidget *>()) {
        // An editable combo box is read through its text field, which takes the focus.
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&f.window())
            || qobject_cast<QComboBox *>(widget))
            continue;
        const QString name = accessibleName(widget);
        QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName()));
        QVERIFY2(!names.contains(name), qPrintable(widget->objectName() + u' ' + name));
        names.insert(name);
    }
    QCOMPARE(accessibleName(f.button(QStringLiteral("timer2_mais"))),
             u"Aumentar a duração do relé 2");
    QCOMPARE(accessibleName(f.button(QStringLiteral("Command3"))), u"Diminuir a duração do relé 3");
    QCOMPARE(accessibleName(f.combo(QStringLiteral("Cmb1_min_desligar1"))->lineEdit()),
             u"Minuto de desligar o relé 1");
    // A relay button is read with what it shows now.
    WindowFixture::click(f.relayButton(4));
    QCOMPARE(accessibleName(f.relayButton(4)), u"Relé 4, RELE 4 (ON): ligar ou desligar");
}

void TestAccessibility::tabOrderRunsRowByRow()
{
    WindowFixture f;
    f.start();
    QStringList expected{"btn_editarBotoes", "btn_salvar"};
    for (int n = 1; n <= 4; ++n) {
        const QString minus = n <= 2 ? QStringLiteral("timer%1_menos").arg(n) : QStringLiteral("Command%1").arg(n);
        const QString schedule = n == 1 ? QStringLiteral("Chk_agendar") : QStringLiteral("Chk_agendar%1").arg(n);
        expected << QStringLiteral("btn_rele%1").arg(n) << QStringLiteral("chk_timer%1").arg(n)
                 << QStringLiteral("txt_tmp%1").arg(n) << QStringLiteral("timer%1_mais").arg(n)
                 << minus << QStringLiteral("Cmb_tmp%1").arg(n) << schedule;
        for (const char *box : {"hora_ligar", "min_ligar", "hora_desligar", "min_desligar"})
            expected << QStringLiteral("Cmb1_%1%2").arg(QLatin1String(box)).arg(n);
    }
    expected << "chk_extender" << "sem_conversor" << "btn_rele5" << "btn_rele6" << "btn_rele7"
             << "btn_rele8";

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

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
