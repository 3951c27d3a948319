#include "link/portsearch.h"

#include "common/numbers.h"
#include "platform/serialport.h"

namespace tavex {

std::optional<int> searchPort(SerialPort &port, int first)
{
    for (int number = first; number <= kLastPortNumber; ++number) {
        port.setPortNumber(number);
        port.open();
        if (port.isOpen())
            return number;
    }
    return std::nullopt;
}

QString portCaption(int number)
{
    return QStringLiteral("COM") + signBlankNumberText(number);
}

QString noPortCaption()
{
    return QStringLiteral("Nenhuma");
}

} // namespace tavex
