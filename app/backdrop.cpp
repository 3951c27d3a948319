#include "app/backdrop.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tavex {

namespace {

const QColor kDeepBlue{24, 72, 150};
const QColor kBlue{70, 130, 200};
const QColor kLightBlue{185, 215, 240};

} // namespace

void paintMainBackdrop(QPainter &painter, const QSize &size)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = size.width();
    const int h = size.height();

    // The top band, fading to white downwards.
    QLinearGradient top(0, 0, 0, 70);
    top.setColorAt(0, kBlue);
    top.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(0, 0, w, 70, top);

    // The darker sweep at the top right, running diagonally down to the right edge.
    QPainterPath sweep;
    sweep.moveTo(w * 0.55, 0);
    sweep.cubicTo(w * 0.80, 10, w * 0.95, 60, w, h * 0.45);
    sweep.lineTo(w, 0);
    sweep.closeSubpath();
    QLinearGradient sweepFill(w * 0.6, 0, w, h * 0.45);
    sweepFill.setColorAt(0, kDeepBlue);
    sweepFill.setColorAt(1, QColor(kBlue.red(), kBlue.green(), kBlue.blue(), 40));
    painter.fillPath(sweep, sweepFill);

    // The light-blue band fading in along the bottom.
    QLinearGradient bottom(0, h - 60, 0, h);
    bottom.setColorAt(0, QColor(255, 255, 255, 0));
    bottom.setColorAt(1, kLightBlue);
    painter.fillRect(0, h - 60, w, 60, bottom);
}

} // namespace tavex
