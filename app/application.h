// Start-up of the desktop program: what main does before the main window.
#pragma once

#include <string>

class QApplication;

namespace quirvane::app {

// Why the program cannot show a window here, or "" when it can: a platform is
// named in QT_QPA_PLATFORM, or an X11 or Wayland display is set. Without
// either, Qt would abort with a long message; the program says so in one
// line instead. Arguments are the values of the three variables (nullptr
// when unset).
std::string NoDisplayReason(const char* qpaPlatform, const char* display,
                            const char* waylandDisplay);

// Names, style and icon of the application: the one look the dialog
// templates were laid out for (the Fusion style; see dialog_builder.h). Qt's
// own texts in Japanese, and the dialog font for the windows Qt makes.
void ConfigureApplication(QApplication& application);

// Qt's Japanese translations (qtbase_ja.qm of the Debian package
// qt6-translations-l10n, in Qt's translations folder), installed once.
// False when they are not there: Qt's texts then stay in English.
bool InstallQtJapanese(QApplication& application);

}  // namespace quirvane::app
