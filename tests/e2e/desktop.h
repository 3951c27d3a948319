#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace tavex::test {

using WindowId = qulonglong;

// Looks at and acts on the windows of one X display, through xdotool and xwd, the way a
// user would: by title, by position and by key.
class Desktop
{
public:
    explicit Desktop(QString display) : m_display(std::move(display)) { }

    QString display() const { return m_display; }

    // The mapped windows whose title is exactly `title`.
    QList<WindowId> visibleWindows(const QString &title) const;
    // The first such window to appear within `timeoutMs`, or 0.
    WindowId waitForWindow(const QString &title, int timeoutMs) const;
    // Whether no such window is left within `timeoutMs`.
    bool waitForNoWindow(const QString &title, int timeoutMs) const;
    // Whether such a window shows up at any moment during `ms` (which always passes).
    bool windowAppearsWithin(const QString &title, int ms) const;

    QString windowTitle(WindowId window) const;
    // Position on the screen and size of the client area.
    std::optional<QRect> geometry(WindowId window) const;

    // A left click at `point`, in the window's client coordinates.
    bool click(WindowId window, QPoint point) const;
    // Gives the window the keyboard focus and types the key (an X keysym name: "space",
    // "Return", "Tab").
    bool pressKey(WindowId window, const QString &key) const;

    // Gives the window the keyboard focus and types the text, character by character.
    bool typeText(WindowId window, const QString &text) const;

    // The pixels of `area` of the screen, three bytes each, row by row.
    std::optional<QByteArray> pixels(const QRect &area) const;

    // The last tool that failed, and why.
    QString lastError() const { return m_lastError; }

private:
    // The windows found, or nothing when the search itself failed.
    std::optional<QList<WindowId>> findWindows(const QString &title) const;
    std::optional<QByteArray> run(const QString &program, const QStringList &arguments,
                                  const QByteArray &input = {}, bool emptyIsFine = false) const;
    std::optional<QByteArray> xdotool(const QStringList &arguments) const;
    // `area` of the screen, converted by ImageMagick to `output` ("png:<path>", "rgb:-").
    std::optional<QByteArray> screenArea(const QRect &area, const QString &output) const;

    QString m_display;
    mutable QString m_lastError;
};

} // namespace tavex::test
