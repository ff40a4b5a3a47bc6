#include "clock/AlertDialog.h"

#include "clock/ClockMessages.h"

namespace tembra {
namespace {

// A plain dialog procedure: the dialog's state is its mode, in the window's user data, and
// where its answer goes, in the dialog's own user slot.

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
    auto* answers = reinterpret_cast<AlertAnswerSink*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (answers) answers->OnAlertAnswer(dialog, choice);
    DestroyWindow(dialog);
    return TRUE;
}

INT_PTR CALLBACK AlertDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
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

HWND CreateAlertDialog(HINSTANCE instance, HWND clock, AlertAnswerSink* answers,
                       const std::string& text, bool reminder) {
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_ALERT), clock,
                                     AlertDialogProc, reinterpret_cast<LPARAM>(answers));
    if (!dialog) return nullptr;
    SetDlgItemTextA(dialog, IDC_ALERT_TEXT, text.c_str());
    SendMessageA(dialog, WM_ALERT_SETMODE, 0, reminder ? 1 : 0);
    return dialog;
}

}  // namespace tembra
