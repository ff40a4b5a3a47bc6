#include "settings/DaysDlg.h"

#include "framework/DataExchange.h"
#include "settings/DaysDlgRes.h"
#include "settings/DialogButtons.h"

namespace tembra {
namespace {

constexpr int kWeekdays = 7;

}  // namespace

INT_PTR CTCDaysDlg::Run(HINSTANCE instance, HWND parent) {
    return DoModal(instance, IDD_DAYS, parent);
}

INT_PTR CTCDaysDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CTCDaysDlg::OnInitDialog() {
    SetUpOkAndCancel(hwnd_, ok_, cancel_);
    for (int n = 0; n < kWeekdays; ++n) SetCheck(hwnd_, IDC_DAY_FIRST + n, (days_ >> n) & 1);
    return TRUE;
}

void CTCDaysDlg::OnOK() {
    std::uint8_t days = 0;
    for (int n = 0; n < kWeekdays; ++n)
        if (GetCheck(hwnd_, IDC_DAY_FIRST + n) == BST_CHECKED) days |= 1u << n;
    days_ = days;
    EndDialog(hwnd_, IDOK);
}

}  // namespace tembra
