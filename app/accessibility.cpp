#include "app/accessibility.h"

#include "common/relay.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include <array>

namespace tavex {

namespace {

QWidget *control(QWidget *window, const QString &name)
{
    return window->findChild<QWidget *>(name, Qt::FindChildrenRecursively);
}

void setName(QWidget *widget, const QString &accessibleName)
{
    widget->setAccessibleName(accessibleName);
    // On Linux an editable combo box is read by its text; its text field, which has the
    // focus, carries the name.
    if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(accessibleName);
}

void name(QWidget *window, const QString &objectName, const QString &accessibleName)
{
    if (QWidget *widget = control(window, objectName))
        setName(widget, accessibleName);
}

void describe(QWidget *window, const QString &objectName, const QString &description)
{
    if (QWidget *widget = control(window, objectName))
        widget->setAccessibleDescription(description);
}

struct RelayControl
{
    const char *objectName; // %1 stands for the relay number
    const char *accessibleName;
};

// The controls of relay N's row, in tab order. The minus buttons of relays 3 and 4 and the
// schedule box of relay 1 carry names of their own (see relayObjectName).
constexpr std::array<RelayControl, 11> kRelayRow{{
    {"btn_rele%1", nullptr},
    {"chk_timer%1", "Ligar o relé %1 durante o tempo definido"},
    {"txt_tmp%1", "Duração do relé %1"},
    {"timer%1_mais", "Aumentar a duração do relé %1"},
    {"timer%1_menos", "Diminuir a duração do relé %1"},
    {"Cmb_tmp%1", "Unidade da duração do relé %1"},
    {"Chk_agendar%1", "Ligar e desligar o relé %1 todos os dias nos horários definidos"},
    {"Cmb1_hora_ligar%1", "Hora de ligar o relé %1"},
    {"Cmb1_min_ligar%1", "Minuto de ligar o relé %1"},
    {"Cmb1_hora_desligar%1", "Hora de desligar o relé %1"},
    {"Cmb1_min_desligar%1", "Minuto de desligar o relé %1"},
}};

QString relayObjectName(const char *pattern, int relay)
{
    const QString name = QString::fromLatin1(pattern).arg(relay);
    if (name == u"Chk_agendar1")
        return QStringLiteral("Chk_agendar");
    if (name == u"timer3_menos")
        return QStringLiteral("Command3");
    if (name == u"timer4_menos")
        return QStringLiteral("Command4");
    return name;
}

} // namespace

void makeMainWindowAccessible(QWidget *window)
{
    name(window, QStringLiteral("btn_editarBotoes"), QStringLiteral("Renomear os botões dos relés"));
    name(window, QStringLiteral("btn_salvar"), QStringLiteral("Salvar os horários e as opções"));
    name(window, QStringLiteral("chk_extender"), QStringLiteral("Exibir os relés 5 a 8"));
    name(window, QStringLiteral("sem_conversor"),
         QStringLiteral("Usar a porta serial do computador em vez do cabo USB/Serial"));
    // The labels that show a value are read by what they show, their purpose as description.
    describe(window, QStringLiteral("lb_com_detectada"), QStringLiteral("Porta detectada"));

    QList<QWidget *> order{control(window, QStringLiteral("btn_editarBotoes")),
                           control(window, QStringLiteral("btn_salvar"))};
    for (int n = 1; n <= kTimedRelayCount; ++n) {
        for (const RelayControl &row : kRelayRow) {
            QWidget *widget = control(window, relayObjectName(row.objectName, n));
            if (row.accessibleName)
                setName(widget, QString::fromUtf8(row.accessibleName).arg(n));
            order << widget;
        }
        describe(window, QStringLiteral("lb_tmpr%1").arg(n),
                 QStringLiteral("Segundos restantes do relé %1").arg(n));
    }
    order << control(window, QStringLiteral("chk_extender"))
          << control(window, QStringLiteral("sem_conversor"));
    for (int n = kFirstExtendedRelay; n <= kRelayCount; ++n)
        order << control(window, QStringLiteral("btn_rele%1").arg(n));
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace tavex
