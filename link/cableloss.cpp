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

bool reconnectAfterCableLoss(Link &link, Messages &messages)
{
    // The ports tried by the last search, when it found none (a second failed switch).
    messages.show(cableLossText(), cableLossTitle(), MessageIcon::None, link.lastSearchProblems(),
                  MessageAbout::Board);
    // Found while the message was open, which then closed by itself.
    if (!link.boardKnownGone())
        return true;
    link.closeIfOpen();
    return link.search();
}

} // namespace tavex
