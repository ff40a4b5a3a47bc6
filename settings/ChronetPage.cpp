#include "settings/ChronetPage.h"

#include "framework/DataExchange.h"
#include "settings/ChronetPageRes.h"
#include "store/InternetTimeStore.h"

namespace tembra {
namespace {
// "ServersNum" is typed in at most two digits.
const int kServersNumDigits = 2;
}  // namespace

CTCChronetDlg::CTCChronetDlg() : CTCPage(IDD_INTERNET_TIME, "Internet 时间") {}

BOOL CTCChronetDlg::OnInitDialog() {
    // The key is created when missing. Should it not open, the page shows what the internet
    // time program then uses: both off and 3 servers.
    InternetTimeValues stored;
    LoadInternetTimeValues(&stored, true);
    SetCheck(hwnd(), IDC_INET_TRAY_MODE, stored.trayMode.value_or(0) ? BST_CHECKED : BST_UNCHECKED);
    SetCheck(hwnd(), IDC_INET_AUTO_ADJUST,
             stored.autoAdjustTime.value_or(0) ? BST_CHECKED : BST_UNCHECKED);
    SetItemText(hwnd(), IDC_INET_SERVERS_NUM, ServersNumText(stored.serversNum));
    SendDlgItemMessageA(hwnd(), IDC_INET_SERVERS_NUM, EM_LIMITTEXT, kServersNumDigits, 0);
    return TRUE;
}

void CTCChronetDlg::SaveInetOptions() {
    SaveInternetTimeValues(GetCheck(hwnd(), IDC_INET_TRAY_MODE) == BST_CHECKED,
                           GetCheck(hwnd(), IDC_INET_AUTO_ADJUST) == BST_CHECKED,
                           ServersNumToStore(GetItemText(hwnd(), IDC_INET_SERVERS_NUM)));
}

bool CTCChronetDlg::OnApply(bool ok) {
    SaveInetOptions();
    if (!ok) PostPageApplied();
    return true;
}

}  // namespace tembra
