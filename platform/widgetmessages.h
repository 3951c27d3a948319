#pragma once

#include "platform/messages.h"

#include <QPointer>
#include <QWidget>

namespace tavex {

// Message boxes on screen: modal, one OK button or "Sim" and "Não".
class WidgetMessages final : public MessageSink
{
public:
    void setParent(QWidget *parent) { m_parent = parent; }
    void show(const QString &text, const QString &title, MessageIcon icon,
              const QString &details) override;
    bool ask(const QString &text, const QString &title) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace tavex
