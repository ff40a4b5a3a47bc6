// Private messages of the log dialog. The worker talks to the dialog only through these, and
// they carry nothing the dialog uses: what the worker has to say waits in its SyncRunState.
#pragma once
#include <windows.h>

namespace tembra::nettime {

// Shell -> dialog: wParam = icon id, lParam = the mouse message on the icon.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 2000;
// Worker -> dialog, posted: new log lines are queued; parameters unused.
constexpr UINT WM_LOGAPPEND = WM_USER + 2001;
// Worker -> dialog, posted as the worker's last act: the run has ended; parameters unused.
constexpr UINT WM_SYNCDONE = WM_USER + 2002;

}  // namespace tembra::nettime
