#pragma once

#include <QString>

namespace tavex {

// The program's own folder under an XDG base directory, on Unix: $<variable>/<program> when
// the variable holds an absolute path, otherwise ~/<homeSubfolder>/<program>. Empty when the
// home is not set or does not exist: the program would write at the root, or create a home
// directory that was never there.
QString xdgProgramDir(const char *variable, QStringView homeSubfolder);

// The directory that holds the program's files (the names file, the settings file and the
// optional port table). Both data files are found there by their bare names.
class ConfigDir
{
public:
    // The per-user configuration directory of the program, as the platform defines it;
    // empty when the user has no usable home directory, which prepare() then refuses.
    static QString standardPath();

    explicit ConfigDir(QString path);

    const QString &path() const { return m_path; }

    // Creates the directory if it is missing. False when it cannot be created or is not a
    // directory the program can enter and write to; the files then cannot be kept.
    bool prepare();
    bool isUsable() const { return m_usable; }

    // The full path of a file in the directory; empty when there is no directory.
    QString filePath(const QString &fileName) const;

private:
    QString m_path;
    bool m_usable = false;
};

} // namespace tavex
