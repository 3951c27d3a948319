#pragma once

#include <QString>

namespace tavex {

class Link;
class Messages;

QString cableLossText();
QString cableLossTitle();

// What the program does when a relay command could not be written: tell the user that the
// cable was removed, wait for OK (the user plugs it in first), close the port and search
// again. The failed command is not written again. True when the search found a port, or when
// the board was found while the message was open (the message then closes by itself).
bool reconnectAfterCableLoss(Link &link, Messages &messages);

} // namespace tavex
