#include "platform/twips.h"

#include <QEvent>

#include <algorithm>

namespace tavex {

namespace {

// Widens its control to the caption's width when the control is polished.
class CaptionFit final : public QObject
{
public:
    explicit CaptionFit(QWidget *control) : QObject(control) { control->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish) {
            auto *control = static_cast<QWidget *>(watched);
            control->resize(std::max(control->width(), control->sizeHint().width()),
                            control->height());
        }
        return false;
    }
};

} // namespace

void placeCaptioned(QWidget *widget, const QRect &place)
{
    widget->setGeometry(place);
    new CaptionFit(widget);
}

} // namespace tavex
