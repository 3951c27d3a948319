#pragma once

#include "harness.h"

#include <QList>
#include <QProcess>

namespace tavex::bench {

// What the X server reports, through tavex-bench-xwatch: when top-level windows are mapped
// and when the left mouse button is released. The watcher stamps each event as it arrives
// (CLOCK_REALTIME, microseconds, the clock of the board simulator's record), so how soon
// the bench reads it does not count.
class XWatcher
{
public:
    struct Mapping
    {
        test::WindowId window = 0;
        qint64 atUs = 0;
    };

    explicit XWatcher(const QString &display);
    ~XWatcher();
    XWatcher(const XWatcher &) = delete;
    XWatcher &operator=(const XWatcher &) = delete;

    // Starts the watcher and waits until it listens; false, with error(), when it cannot.
    bool start();
    QString error() const { return m_error; }

    // Takes in what the watcher has reported so far.
    void read();
    // Everything reported since start(), in order.
    const QList<Mapping> &mappings() const { return m_mappings; }
    const QList<qint64> &releasesUs() const { return m_releasesUs; }

private:
    QString m_display;
    QProcess m_process;
    QByteArray m_pending;
    bool m_ready = false;
    QList<Mapping> m_mappings;
    QList<qint64> m_releasesUs;
    QString m_error;
};

} // namespace tavex::bench
