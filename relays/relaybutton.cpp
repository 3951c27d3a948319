#include "relays/relaybutton.h"

#include "common/relay.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "relays/captions.h"

#include <QPushButton>

namespace tavex {

namespace {

// Relays 1 to 4 stand in a column beside their groups; 5 to 8 side by side in one row.
QRect relayButtonPlace(int relay)
{
    constexpr int rowPitch = 960;
    if (isTimedRelay(relay))
        return twipsRect(1440, 1140 + rowPitch * (relay - 1), 2055, 735);
    constexpr int lefts[] = {1440, 3720, 6120, 8400};
    return twipsRect(lefts[relay - kFirstExtendedRelay], 5400, 2055, 615);
}

} // namespace

QPushButton *createRelayButton(int relay, QWidget *parent)
{
    auto *button = new QPushButton(designCaption(relay), parent);
    button->setObjectName(QStringLiteral("btn_rele%1").arg(relay));
    button->setFont(relayButtonFont());
    button->setGeometry(relayButtonPlace(relay));
    return button;
}

} // namespace tavex
