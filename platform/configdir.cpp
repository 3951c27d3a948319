#include "platform/configdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavex {

QString ConfigDir::standardPath()
{
#ifdef Q_OS_UNIX
    // Created if missing, as the XDG rules want.
    return xdgProgramDir("XDG_CONFIG_HOME", u".config");
#elif defined(Q_OS_WIN)
    // The user's application data folder (%APPDATA%\<program>), which follows the user
    // from computer to computer in a domain.
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

QString xdgProgramDir(const char *variable, QStringView homeSubfolder)
{
    const QString program = QCoreApplication::applicationName();
    const QString base = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(base))
        return QDir(base).filePath(program);
    const QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home) || !QFileInfo(home).isDir())
        return {};
    return QDir(home).filePath(homeSubfolder.toString() + u'/' + program);
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
