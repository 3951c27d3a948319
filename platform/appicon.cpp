#include "platform/appicon.h"

#include <QDir>
#include <QIconEngine>
#include <QPainter>

namespace tavex {

namespace {

const QString kIconName = QStringLiteral("br.com.tavex.Tavex");

QIcon loadIcon()
{
    // One folder a size: ":/icons/16x16/br.com.tavex.Tavex.png" and so on.
    const QDir sizes(QStringLiteral(":/icons"));
    QIcon icon;
    for (const QString &size : sizes.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        icon.addFile(sizes.filePath(size + u'/' + kIconName + QStringLiteral(".png")));
    return icon.isNull() ? QIcon::fromTheme(kIconName) : icon;
}

// Reads the icon's files only when the icon is first drawn or asked about: adding a file
// decodes it, every size of it, and the program's start need not wait for that. The window
// system asks when the window is made.
class DeferredIconEngine final : public QIconEngine
{
public:
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

    // Sizes in device pixels: QIcon has already allowed for the screen's scale.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * scale, mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }

private:
    QIcon &icon()
    {
        if (!m_loaded) {
            m_icon = loadIcon();
            m_loaded = true;
        }
        return m_icon;
    }

    QIcon m_icon;
    bool m_loaded = false;
};

} // namespace

QIcon applicationIcon()
{
    return QIcon(new DeferredIconEngine);
}

} // namespace tavex
