#pragma once

#include "platform/messages.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace tavex::test {

struct ShownMessage
{
    QString text;
    QString title;
    MessageIcon icon;
    QString details;
};

// Records every message instead of showing it. A test can act while a message is "open"
// (as the nested event loop of a real message box lets timers and clicks through) by
// setting whileOpen.
class FakeMessages final : public MessageSink
{
public:
    explicit FakeMessages(QStringList *log = nullptr) : m_log(log) { }

    void show(const QString &text, const QString &title, MessageIcon icon,
              const QString &details) override;

    const QList<ShownMessage> &shown() const { return m_shown; }
    QStringList titles() const;
    void clear() { m_shown.clear(); }

    std::function<void()> whileOpen;

private:
    QStringList *m_log;
    QList<ShownMessage> m_shown;
};

} // namespace tavex::test
