#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace tavex {

// The record of every relay command, "acionamentos.log", one line per command. It is only
// ever appended to; at 1 MiB it becomes "acionamentos.log.1" (the one older file kept) and a
// new file begins. Nothing here may hold up a switch or trouble the user: the lines are
// written by a thread of their own, and a line that cannot be written is dropped without a
// word.
class SwitchLog
{
public:
    static constexpr qint64 kMaxBytes = 1024 * 1024;
    // Lines waiting for a slow or hung disk beyond these are dropped.
    static constexpr int kMaxWaiting = 256;
    // How long the end of the program waits for the lines still waiting.
    static constexpr int kEndWaitMs = 2000;

    // The per-user state directory of the program: $XDG_STATE_HOME/tavex or
    // ~/.local/state/tavex on Linux, the application data folder on Windows. Empty when there
    // is none.
    static QString standardDir();

    // Records into `dir`, created when the first line comes; nothing is recorded when empty.
    explicit SwitchLog(QString dir);
    // Waits up to kEndWaitMs for the lines not yet written.
    ~SwitchLog();
    SwitchLog(const SwitchLog &) = delete;
    SwitchLog &operator=(const SwitchLog &) = delete;

    QString path() const;
    // Hands the line (a line end added, UTF-8) to the writing thread and returns at once. It
    // is written whole or not at all, and only to a regular file: a link, a pipe or a device
    // in the file's place takes nothing.
    void append(const QString &line);

private:
    struct Queue;

    QString m_dir;
    // Shared with the writing thread, which may outlive the record when a disk hangs.
    std::shared_ptr<Queue> m_queue;
};

} // namespace tavex
