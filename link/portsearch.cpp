#include "link/portsearch.h"

#include "common/numbers.h"
#include "platform/serialport.h"

#include <algorithm>

namespace tavex {

std::optional<int> searchPort(SerialPort &port, int first, QList<PortAttempt> *failed)
{
    for (int number = first; number <= kLastPortNumber; ++number) {
        port.setPortNumber(number);
        port.open();
        if (port.isOpen())
            return number;
        if (failed)
            failed->append({number, port.deviceName(), port.openFailure()});
    }
    return std::nullopt;
}

QList<int> presentPorts(const SerialPort &port, int first)
{
    QList<int> present;
    for (int number = first; number <= kLastPortNumber; ++number) {
        if (port.isPresent(number))
            present.append(number);
    }
    return present;
}

bool portAppeared(const QList<int> &before, const QList<int> &now)
{
    return std::any_of(now.begin(), now.end(), [&](int number) { return !before.contains(number); });
}

namespace {

QString reason(OpenFailure failure)
{
    switch (failure) {
    case OpenFailure::Absent:
        return QStringLiteral("não existe neste computador");
    case OpenFailure::PermissionDenied:
        return QStringLiteral("sem permissão de acesso");
    case OpenFailure::InUse:
        return QStringLiteral("em uso por outro programa");
    case OpenFailure::NotSerialDevice:
        return QStringLiteral("não é uma porta serial");
    case OpenFailure::None:
    case OpenFailure::Other:
        break;
    }
    return QStringLiteral("não pôde ser aberta");
}

} // namespace

QString failedAttemptsText(const QList<PortAttempt> &failed)
{
    QStringList lines{QStringLiteral("Portas tentadas:")};
    bool permission = false;
    for (const PortAttempt &attempt : failed) {
        lines << QStringLiteral("%1 (%2): %3")
                         .arg(portCaption(attempt.number),
                              attempt.device.isEmpty() ? QStringLiteral("sem dispositivo") : attempt.device,
                              reason(attempt.failure));
        permission = permission || attempt.failure == OpenFailure::PermissionDenied;
    }
    if (permission)
        lines << QString()
              << QStringLiteral("Para ter acesso às portas seriais, o seu usuário precisa fazer "
                                "parte do grupo dialout. Execute num terminal:")
              << QStringLiteral("sudo adduser $USER dialout")
              << QStringLiteral("e depois saia da sessão e entre de novo, para que a mudança "
                                "valha.");
    return lines.join(u'\n');
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
