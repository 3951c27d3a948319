#include "commands/commanddesk.h"

#include "common/relay.h"
#include "link/link.h"
#include "relays/relaybank.h"
#include "relays/relayboard.h"

#include <utility>

namespace tavex {

CommandDesk::CommandDesk(RelayBoard &board, ExtrasSource extras, QObject *parent)
    : QObject(parent), m_board(board), m_extras(std::move(extras))
{
}

QByteArray CommandDesk::answer(QByteArrayView line)
{
    const auto parsed = parseRequestLine(line);
    if (const auto *bad = std::get_if<BadUse>(&parsed))
        return replyBytes({CommandStatus::BadUse, QStringLiteral("tavex: ") + bad->reason + u'\n'});
    return replyBytes(answer(std::get<Request>(parsed)));
}

Reply CommandDesk::answer(const Request &request)
{
    switch (request.verb) {
    case Verb::Ligar:
    case Verb::Desligar:
    case Verb::Alternar:
        return switchRelay(request);
    case Verb::Estado:
        return {CommandStatus::Done, request.json ? QString::fromUtf8(boardStateJson(state())) : boardStateText(state())};
    case Verb::Mostrar:
        emit showRequested();
        return {};
    case Verb::Ajuda:
        return {CommandStatus::Done, helpText()};
    case Verb::Versao:
        break;
    }
    return {CommandStatus::Done, versionText()};
}

Reply CommandDesk::switchRelay(const Request &request)
{
    const int relay = request.relay;
    const QString number = QString::number(relay);
    if (m_extras(relay).schedule)
        return {CommandStatus::Held,
                QStringLiteral("tavex: o relé %1 está preso ao seu agendamento; desarme o agendamento para acioná-lo\n").arg(number)};
    const bool on = !m_board.relays().releDesligado(relay);
    const bool wanted = request.verb == Verb::Ligar || (request.verb == Verb::Alternar && !on);
    const QString wantedText = wanted ? QStringLiteral("ligado") : QStringLiteral("desligado");
    if (wanted == on)
        return {CommandStatus::Done, QStringLiteral("relé %1 já estava %2\n").arg(number, wantedText)};
    if (m_board.switchByHand(relay, SwitchCause::Command) == SwitchOutcome::Failed) {
        emit switchFailed(relay);
        return {CommandStatus::NotWritten,
                QStringLiteral("tavex: a placa não recebeu o comando do relé %1 (cabo desconectado?)\n").arg(number)};
    }
    return {CommandStatus::Done, QStringLiteral("relé %1 %2\n").arg(number, wantedText)};
}

BoardState CommandDesk::state() const
{
    BoardState state;
    if (m_board.link().hasPort())
        state.port = m_board.link().caption();
    for (int n = 1; n <= kRelayCount; ++n)
        state.relays.append({n, m_board.relays().nomeRele(n), !m_board.relays().releDesligado(n), m_extras(n)});
    return state;
}

} // namespace tavex
