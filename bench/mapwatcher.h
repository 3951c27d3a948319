#pragma once

#include "desktop.h"

#include <QHash>
#include <QProcess>

#include <optional>

namespace tavex::bench {

// Notes when top-level windows are mapped on a display, as the server reports it (xev on
// the root window), so a window's appearance is timed without polling for it.
class MapWatcher
{
public:
    explicit MapWatcher(const QString &display);
    ~MapWatcher();

    // False when xev cannot be run.
    bool start();
    // Reads what the server reported, waiting at most `ms` for something to arrive.
    void read(int ms);
    // When `window` was mapped (CLOCK_REALTIME, microseconds), if it was seen.
    std::optional<qint64> mappedAtUs(test::WindowId window) const;
    // The windows mapped since the last call.
    QList<test::WindowId> takeNewlyMapped();

private:
    QString m_display;
    QProcess m_process;
    QByteArray m_pending;
    bool m_inMapNotify = false;
    QHash<test::WindowId, qint64> m_mappedAtUs;
    QList<test::WindowId> m_newlyMapped;
};

} // namespace tavex::bench
