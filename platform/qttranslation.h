#pragma once

class QCoreApplication;

namespace tavex {

// Loads Qt's own Brazilian Portuguese texts (the edit boxes' context menu, the message
// boxes' buttons) from Qt's translations directory and installs them in `app`, so that the
// words Qt supplies read like the rest of the window. Returns false, and Qt keeps its
// English, when they are not installed (Debian package qt6-translations-l10n).
bool installQtTranslation(QCoreApplication &app);

} // namespace tavex
