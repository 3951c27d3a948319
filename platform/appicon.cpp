#include "platform/appicon.h"

#include <QDir>

namespace tavex {

QIcon applicationIcon()
{
    const QString name = QStringLiteral("br.com.tavex.Tavex");
    // One folder a size: ":/icons/16x16/br.com.tavex.Tavex.png" and so on.
    const QDir sizes(QStringLiteral(":/icons"));
    QIcon icon;
    for (const QString &size : sizes.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        icon.addFile(sizes.filePath(size + u'/' + name + QStringLiteral(".png")));
    return icon.isNull() ? QIcon::fromTheme(name) : icon;
}

} // namespace tavex
