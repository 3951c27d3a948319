#include "commands/boardstate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tavex {

namespace {

QString onOffText(bool on)
{
    return on ? QStringLiteral("ligado") : QStringLiteral("desligado");
}

} // namespace

QString boardStateText(const BoardState &state)
{
    QString text;
    for (const RelayState &relay : state.relays) {
        text += QStringLiteral("Relé %1 \"%2\": %3").arg(QString::number(relay.number), relay.name, onOffText(relay.on));
        if (const auto &left = relay.extras.secondsLeft)
            text += QStringLiteral("; faltam %1 s").arg(*left);
        if (const auto &schedule = relay.extras.schedule)
            text += QStringLiteral("; agendado: liga %1, desliga %2").arg(schedule->on, schedule->off);
        text += u'\n';
    }
    return text + QStringLiteral("Porta: ") + state.port.value_or(QStringLiteral("nenhuma")) + u'\n';
}

QByteArray boardStateJson(const BoardState &state)
{
    QJsonArray relays;
    for (const RelayState &relay : state.relays) {
        QJsonObject object{{u"numero"_qs, relay.number}, {u"nome"_qs, relay.name}, {u"ligado"_qs, relay.on}};
        if (const auto &left = relay.extras.secondsLeft)
            object.insert(u"contagem"_qs, QJsonObject{{u"restante"_qs, *left}});
        if (const auto &schedule = relay.extras.schedule)
            object.insert(u"agendamento"_qs, QJsonObject{{u"liga"_qs, schedule->on}, {u"desliga"_qs, schedule->off}});
        relays.append(object);
    }
    const QJsonObject root{{u"porta"_qs, state.port ? QJsonValue(*state.port) : QJsonValue()},
                           {u"reles"_qs, relays}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace tavex
