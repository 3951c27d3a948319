#pragma once

#include <QFont>

namespace tavex {

// The window's fonts, each with fallbacks for systems that lack the named family.
QFont windowFont();            // MS Sans Serif, 8.25 pt: controls without a font of their own
QFont titleFont();             // Bookman Old Style, 18 pt, regular
QFont relayButtonFont();       // MS Sans Serif, 8.25 pt, bold
QFont mediumSansFont();        // MS Sans Serif, 9.75 pt

} // namespace tavex
