#pragma once

#include "platform/messages.h"

#include <QList>
#include <QMessageBox>
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
    void closeLast() override;

private:
    int run(QMessageBox &box);

    QPointer<QWidget> m_parent;
    QList<QPointer<QMessageBox>> m_open;
};

} // namespace tavex
