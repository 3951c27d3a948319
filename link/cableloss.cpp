#include "link/cableloss.h"

#include "link/link.h"
#include "platform/messages.h"

namespace tavex {

QString cableLossText()
{
    return QStringLiteral("O cabo Conversor USB/Serial foi removido deste computador. "
                          "Por Favor reconecte o cabo ANTES de clicar no botão OK");
}

QString cableLossTitle()
{
    return QStringLiteral("Cabo Desconectado");
}

void reconnectAfterCableLoss(Link &link, Messages &messages)
{
    messages.show(cableLossText(), cableLossTitle(), MessageIcon::None);
    link.closeIfOpen();
    link.search();
}

} // namespace tavex
