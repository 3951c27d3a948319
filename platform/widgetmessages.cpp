#include "platform/widgetmessages.h"

#include <QMessageBox>

namespace tavex {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void WidgetMessages::show(const QString &text, const QString &title, MessageIcon icon,
                          const QString &details)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, m_parent);
    box.setObjectName(QStringLiteral("messageBox"));
    if (!details.isEmpty())
        box.setDetailedText(details);
    run(box);
}

bool WidgetMessages::ask(const QString &text, const QString &title)
{
    // The buttons' captions come from Qt's own Portuguese translation.
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setObjectName(QStringLiteral("questionBox"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return run(box) == QMessageBox::Yes;
}

int WidgetMessages::run(QMessageBox &box)
{
    m_open.append(&box);
    const int answer = box.exec();
    m_open.removeLast();
    return answer;
}

void WidgetMessages::closeLast()
{
    if (!m_open.isEmpty() && m_open.last())
        m_open.last()->done(QMessageBox::Ok);
}

} // namespace tavex
