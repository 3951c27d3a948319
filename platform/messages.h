#pragma once

#include <QString>

namespace tavex {

enum class MessageIcon { None, Critical, Warning };

// A modal message with a single OK button. show() returns when the user has closed it.
// Details, when there are any, are offered beneath the text, closed at first.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString &text, const QString &title, MessageIcon icon,
                      const QString &details) = 0;
};

// Shows messages through a sink and knows whether one is on screen. A modal message box
// runs a nested event loop, so timer ticks can arrive while it is open; handlers that
// switch a relay ask isShowing() and hold back meanwhile.
class Messages
{
public:
    explicit Messages(MessageSink &sink) : m_sink(sink) { }

    void show(const QString &text, const QString &title, MessageIcon icon,
              const QString &details = {})
    {
        ++m_showing;
        struct Done { int &count; ~Done() { --count; } } done{m_showing};
        m_sink.show(text, title, icon, details);
    }

    bool isShowing() const { return m_showing > 0; }

private:
    MessageSink &m_sink;
    int m_showing = 0;
};

} // namespace tavex
