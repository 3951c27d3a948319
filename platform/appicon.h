#pragma once

#include <QIcon>

namespace tavex {

// The program's own icon, in every size built into the program (rendered from its SVG when it
// is built), so that a window shows it wherever the program runs from; the icon theme's, when
// the program was built without them.
QIcon applicationIcon();

} // namespace tavex
