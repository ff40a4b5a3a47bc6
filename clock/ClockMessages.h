// Private messages of the clock window and its alert dialogs, and the names other
// programs use to find the clock.
#pragma once
#include <windows.h>

#include "store/SuiteContract.h"  // the class name and the settings program's messages

namespace tembra {

enum : UINT {
    WM_CLOCK_TRAYNOTIFY = WM_USER + 2000,  // 3024: the notification-area icon's callback
    WM_CLOCK_EVENTDUE = WM_USER + 2001,    // 3025: wParam 1 reminder / 0 due; lParam post key
    WM_ALERT_SETMODE = WM_USER + 2002,     // 3026: to an alert dialog; lParam 1 reminder mode
    // 3027 once carried the dialog's text as a pointer; any program can send a message, so
    // none carries a pointer: the text is set by the dialog's creator.
    // 3028 once carried an alert dialog's answer; any program could have sent it naming a
    // real reminder, so the dialog now calls the clock directly.
};

constexpr UINT kClockTimerId = 0;
constexpr UINT kTooltipToolId = 10;

// Resource ids.
constexpr int IDI_CLOCK = 107;
constexpr int IDC_CLOCK = 104;
constexpr int IDD_ALERT = 109;
constexpr int IDD_MISSED = 110;

}  // namespace tembra
