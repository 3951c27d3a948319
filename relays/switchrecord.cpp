#include "relays/switchrecord.h"

namespace tavex {

namespace {

QString causeText(SwitchCause cause)
{
    switch (cause) {
    case SwitchCause::Button:
        return QStringLiteral("botão");
    case SwitchCause::Countdown:
        return QStringLiteral("contagem");
    case SwitchCause::Schedule:
        return QStringLiteral("agenda");
    case SwitchCause::Startup:
        return QStringLiteral("início");
    case SwitchCause::Command:
        return QStringLiteral("comando");
    case SwitchCause::Reconnection:
        break;
    }
    return QStringLiteral("reconexão");
}

} // namespace

QString switchRecordLine(const QDateTime &when, int relay, const QString &name, Switch direction,
                         SwitchCause cause, bool written)
{
    QString shownName = name;
    for (QChar &c : shownName) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    QString line = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            + QStringLiteral("  relé %1 (%2)  ").arg(QString::number(relay), shownName)
            + (direction == Switch::On ? QStringLiteral("ligado") : QStringLiteral("desligado"))
            + QStringLiteral("  ") + causeText(cause);
    if (!written)
        line += QStringLiteral("  falhou");
    return line;
}

} // namespace tavex
