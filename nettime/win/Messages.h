// Private messages of the log dialog. The worker talks to the dialog only through these.
#pragma once
#include <windows.h>

namespace tembra::nettime {

// Shell -> dialog: wParam = icon id, lParam = the mouse message on the icon.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 2000;
// Worker -> dialog, sent and waited for: wParam = const char* line, lParam != 0 hides the dialog.
constexpr UINT WM_LOGAPPEND = WM_USER + 2001;
// Worker -> dialog, posted: wParam = const char* status (a constant), lParam = answers.
constexpr UINT WM_SYNCDONE = WM_USER + 2002;

}  // namespace tembra::nettime
