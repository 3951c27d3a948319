#pragma once

class QPainter;
class QSize;

namespace tavex {

// Paints the main window's decorative background over `size`: white in the middle, a blue
// band along the top that fades to white, darker at the top right where a diagonal sweep
// runs down to the right edge, and a light-blue band fading in along the bottom. Painted
// afresh, clipped to what is exposed, rather than kept as a picture the window's size.
void paintMainBackdrop(QPainter &painter, const QSize &size);

} // namespace tavex
