#pragma once

#include <QString>

#include <functional>

namespace tavex {

enum class MessageIcon { None, Critical, Warning };

// Modal message boxes. show() has a single OK button and returns when the user has closed
// it; details, when there are any, are offered beneath the text, closed at first. ask() has
// "Sim" and "Não", "Não" the default and the answer of Escape; it returns whether the answer
// was "Sim".
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString &text, const QString &title, MessageIcon icon,
                      const QString &details) = 0;
    virtual bool ask(const QString &text, const QString &title) = 0;
};

// Shows messages through a sink and knows whether one is on screen. A modal message box
// runs a nested event loop, so timer ticks can arrive while it is open. What must wait until
// no message is open (a second box) is handed to whenAllClosed.
class Messages
{
public:
    explicit Messages(MessageSink &sink) : m_sink(sink) { }

    void show(const QString &text, const QString &title, MessageIcon icon,
              const QString &details = {})
    {
        Open open(*this);
        m_sink.show(text, title, icon, details);
    }
    bool ask(const QString &text, const QString &title)
    {
        Open open(*this);
        return m_sink.ask(text, title);
    }

    bool isShowing() const { return m_showing > 0; }
    // Runs each time the last open message has been closed.
    void setWhenAllClosed(std::function<void()> run) { m_whenAllClosed = std::move(run); }

private:
    struct Open
    {
        explicit Open(Messages &m) : messages(m) { ++messages.m_showing; }
        ~Open()
        {
            if (--messages.m_showing == 0 && messages.m_whenAllClosed)
                messages.m_whenAllClosed();
        }
        Messages &messages;
    };

    MessageSink &m_sink;
    int m_showing = 0;
    std::function<void()> m_whenAllClosed;
};

} // namespace tavex
