#pragma once

#include <QRect>
#include <QWidget>

namespace tavex {

// The window's layout is drawn up in twips, 15 to a pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int fromTwips(int twips)
{
    return twips / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height));
}

// Places a control that shows a caption; where the platform's font needs more room than the
// layout gives, the control grows to the right rather than cut its caption. It grows when it is
// polished, once its style and font are settled; placing it measures nothing.
void placeCaptioned(QWidget *widget, const QRect &place);

} // namespace tavex
