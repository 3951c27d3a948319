#pragma once

#include <QList>
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
    // Closes the message shown last, as its OK button would.
    virtual void closeLast() = 0;
};

// What a message is about. A message about the board (it was not found, or its cable was
// removed) closes by itself when the board is found.
enum class MessageAbout { Other, Board };

// Shows messages through a sink and knows whether one is on screen. A modal message box
// runs a nested event loop, so timer ticks can arrive while it is open. What must wait until
// no message is open (a second box) is handed to whenAllClosed.
class Messages
{
public:
    explicit Messages(MessageSink &sink) : m_sink(sink) { }

    void show(const QString &text, const QString &title, MessageIcon icon,
              const QString &details = {}, MessageAbout about = MessageAbout::Other)
    {
        Open open(*this, about);
        m_sink.show(text, title, icon, details);
    }
    bool ask(const QString &text, const QString &title)
    {
        Open open(*this, MessageAbout::Other);
        return m_sink.ask(text, title);
    }

    bool isShowing() const { return !m_open.isEmpty(); }
    bool isShowingAboutBoard() const { return m_open.contains(MessageAbout::Board); }
    // Closes the message on top when it is about the board, as if OK had been pressed.
    void closeBoardMessage()
    {
        if (!m_open.isEmpty() && m_open.last() == MessageAbout::Board)
            m_sink.closeLast();
    }
    // Runs each time the last open message has been closed.
    void setWhenAllClosed(std::function<void()> run) { m_whenAllClosed = std::move(run); }

private:
    struct Open
    {
        Open(Messages &m, MessageAbout about) : messages(m) { messages.m_open.append(about); }
        ~Open()
        {
            messages.m_open.removeLast();
            if (messages.m_open.isEmpty() && messages.m_whenAllClosed)
                messages.m_whenAllClosed();
        }
        Messages &messages;
    };

    MessageSink &m_sink;
    // What each open message is about, the one on top last.
    QList<MessageAbout> m_open;
    std::function<void()> m_whenAllClosed;
};

} // namespace tavex
