#pragma once

#include <QPixmap>

namespace tavex {

// The main window's decorative background, 818 x 487 pixels: white in the middle, a blue
// band along the top that fades to white, darker at the top right where a diagonal sweep
// runs down to the right edge, and a light-blue band fading in along the bottom.
QPixmap mainBackdrop();

} // namespace tavex
