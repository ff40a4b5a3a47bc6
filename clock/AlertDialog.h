// The alert dialog (resource 109): a reminder with three answers, or an event's message
// with one button. It keeps its mode in the window's user data and, when answered, sends
// its choice to its owner (the clock window) and destroys itself.
#pragma once
#include <windows.h>

#include <string>

namespace tembra {

// Control ids of dialog 109. Button 2 is IDCANCEL, so Escape and the system menu's close
// arrive as its command.
constexpr int IDC_ALERT_DONOTRUN = 1;
constexpr int IDC_ALERT_CLOSE = 2;
constexpr int IDC_ALERT_RUNNOW = 1000;
constexpr int IDC_ALERT_TEXT = 1001;

// Modes (the user data) and choices of WM_ALERT_CHOICE.
constexpr int kAlertMessageMode = 0;
constexpr int kAlertReminderMode = 1;
constexpr int kAlertChoiceClose = 0;
constexpr int kAlertChoiceDoNotRun = 1;
constexpr int kAlertChoiceRunNow = 2;

// Creates the dialog modelessly, owned by `clock`, showing `text` in the given mode;
// nullptr when it cannot be created.
HWND CreateAlertDialog(HINSTANCE instance, HWND clock, const std::string& text, bool reminder);

// Whether `window` is an alert dialog that `clock` owns. WM_ALERT_CHOICE names its dialog,
// and any program can send that message with any value.
bool IsAlertDialogOf(HWND window, HWND clock);

}  // namespace tembra
