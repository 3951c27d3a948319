#include "platform/configdir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavex {

QString ConfigDir::standardPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
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
    return QDir(m_path).filePath(fileName);
}

} // namespace tavex
