// The alert dialog (resource 109): a reminder with three answers, or an event's message
// with one button. It keeps its mode in the window's user data and, when answered, hands
// its choice to the clock by a direct call and destroys itself.
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

// Modes (the user data) and the choices an answer carries.
constexpr int kAlertMessageMode = 0;
constexpr int kAlertReminderMode = 1;
constexpr int kAlertChoiceClose = 0;
constexpr int kAlertChoiceDoNotRun = 1;
constexpr int kAlertChoiceRunNow = 2;

// Takes the answers of the alert dialogs. The dialog calls it in-process: were the answer a
// window message, any other program could send it, naming a real reminder.
class AlertAnswerSink {
public:
    virtual void OnAlertAnswer(HWND dialog, int choice) = 0;

protected:
    ~AlertAnswerSink() = default;
};

// Creates the dialog modelessly, owned by `clock`, showing `text` in the given mode; its
// answer goes to `answers` (may be null) for as long as the dialog lives. nullptr when it
// cannot be created.
HWND CreateAlertDialog(HINSTANCE instance, HWND clock, AlertAnswerSink* answers,
                       const std::string& text, bool reminder);

}  // namespace tembra
