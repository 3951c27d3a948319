#pragma once

#include <QByteArray>
#include <QString>

namespace tavex {

// The record of every relay command, "acionamentos.log", one line per command. It is only
// ever appended to; at 1 MiB it becomes "acionamentos.log.1" (the one older file kept) and a
// new file begins. Nothing here may hold up a switch or trouble the user: a line that cannot
// be written is dropped without a word.
class SwitchLog
{
public:
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    // The per-user state directory of the program: $XDG_STATE_HOME/tavex or
    // ~/.local/state/tavex on Linux, the application data folder on Windows. Empty when there
    // is none.
    static QString standardDir();

    // Records into `dir`, created when the first line comes; nothing is recorded when empty.
    explicit SwitchLog(QString dir) : m_dir(std::move(dir)) { }

    QString path() const;
    // Appends the line and a line end, UTF-8. Only a regular file is written to: a link, a
    // pipe or a device in the file's place takes nothing.
    void append(const QString &line);

private:
    QString m_dir;
};

} // namespace tavex
