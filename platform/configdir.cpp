#include "platform/configdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavex {

QString ConfigDir::standardPath()
{
#ifdef Q_OS_UNIX
    // $XDG_CONFIG_HOME/<program> when that is an absolute path (created if missing, as the
    // XDG rules want), otherwise ~/.config/<program>. A home that is not set or does not
    // exist is no place for the files: the program would write at the root, or create a
    // home directory that was never there.
    const QString program = QCoreApplication::applicationName();
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(configHome))
        return QDir(configHome).filePath(program);
    const QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home) || !QFileInfo(home).isDir())
        return {};
    return QDir(home).filePath(QStringLiteral(".config/") + program);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

ConfigDir::ConfigDir(QString path) : m_path(std::move(path)) { }

bool ConfigDir::prepare()
{
    m_usable = false;
    if (m_path.isEmpty() || !QDir().mkpath(m_path))
        return false;
    const QFileInfo info(m_path);
    m_usable = info.isDir() && info.isExecutable() && info.isWritable();
    return m_usable;
}

QString ConfigDir::filePath(const QString &fileName) const
{
    // Without a directory there is no file, rather than one in the working directory.
    if (m_path.isEmpty())
        return {};
    return QDir(m_path).filePath(fileName);
}

} // namespace tavex
