#include "clock/AlertDialog.h"

#include "clock/ClockMessages.h"

namespace tembra {
namespace {

// A plain dialog procedure: the dialog needs no state of its own beyond its mode, which
// lives in the window's user data, so no object has to outlive it.

void SetAlertMode(HWND dialog, bool reminder) {
    if (reminder) {
        SetWindowTextA(dialog, "Tembra Clock - 提醒");
        SetDlgItemTextA(dialog, IDC_ALERT_CLOSE, "关闭");
    } else {
        ShowWindow(GetDlgItem(dialog, IDC_ALERT_DONOTRUN), SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_ALERT_RUNNOW), SW_HIDE);
    }
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reminder ? kAlertReminderMode : kAlertMessageMode);
}

INT_PTR OnAlertCommand(HWND dialog, int id) {
    int choice;
    switch (id) {
        case IDC_ALERT_CLOSE: choice = kAlertChoiceClose; break;
        case IDC_ALERT_DONOTRUN: choice = kAlertChoiceDoNotRun; break;
        case IDC_ALERT_RUNNOW: choice = kAlertChoiceRunNow; break;
        default: return FALSE;
    }
    SendMessageA(GetWindow(dialog, GW_OWNER), WM_ALERT_CHOICE, static_cast<WPARAM>(choice),
                 reinterpret_cast<LPARAM>(dialog));
    DestroyWindow(dialog);
    return TRUE;
}

INT_PTR CALLBACK AlertDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            return TRUE;  // the dialog manager puts the focus on the default button
        case WM_COMMAND:
            return OnAlertCommand(dialog, LOWORD(wParam));
        case WM_ALERT_SETMODE:
            SetAlertMode(dialog, lParam == 1);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

HWND CreateAlertDialog(HINSTANCE instance, HWND clock, const std::string& text, bool reminder) {
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_ALERT), clock,
                                     AlertDialogProc, 0);
    if (!dialog) return nullptr;
    SetDlgItemTextA(dialog, IDC_ALERT_TEXT, text.c_str());
    SendMessageA(dialog, WM_ALERT_SETMODE, 0, reminder ? 1 : 0);
    return dialog;
}

bool IsAlertDialogOf(HWND window, HWND clock) {
    // Another program can name any window, but cannot make one on this thread.
    if (!window || !IsWindow(window) ||
        GetWindowThreadProcessId(window, nullptr) != GetWindowThreadProcessId(clock, nullptr))
        return false;
    return GetWindow(window, GW_OWNER) == clock &&
           GetWindowLongPtrA(window, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(AlertDialogProc);
}

}  // namespace tembra
