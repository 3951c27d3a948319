#include "support/fakemessages.h"

namespace tavex::test {

void FakeMessages::show(const QString &text, const QString &title, MessageIcon icon,
                        const QString &details)
{
    m_shown.append({text, title, icon, details});
    if (m_log)
        m_log->append(QStringLiteral("message %1").arg(title));
    if (whileOpen)
        whileOpen();
}

QStringList FakeMessages::titles() const
{
    QStringList result;
    for (const ShownMessage &message : m_shown)
        result << message.title;
    return result;
}

} // namespace tavex::test
