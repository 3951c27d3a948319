#pragma once

#include "platform/messages.h"

#include <QList>

#include <functional>

namespace tavex::test {

struct ShownMessage { QString text, title; MessageIcon icon; QString details; bool closedByProgram = false; };

// Records every message instead of showing it. A test can act while a message is "open"
// (as the nested event loop of a real message box lets timers and clicks through) by
// setting whileOpen.
class FakeMessages final : public MessageSink
{
public:
    void show(const QString &text, const QString &title, MessageIcon icon, const QString &details) override
    {
        m_shown.append({text, title, icon, details});
        m_openIndex.append(m_shown.size() - 1);
        if (whileOpen)
            whileOpen();
        m_openIndex.removeLast();
    }
    // Every question is answered no.
    bool ask(const QString &text, const QString &title) override
    {
        show(text, title, MessageIcon::None, {});
        return false;
    }
    void closeLast() override
    {
        if (!m_openIndex.isEmpty())
            m_shown[m_openIndex.last()].closedByProgram = true;
    }
    const QList<ShownMessage> &shown() const { return m_shown; }

    std::function<void()> whileOpen;

private:
    QList<ShownMessage> m_shown;
    QList<qsizetype> m_openIndex;
};

} // namespace tavex::test
