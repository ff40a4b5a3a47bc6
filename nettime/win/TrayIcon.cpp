#include "nettime/win/TrayIcon.h"

#include <shellapi.h>

#include <cstring>

namespace tembra::nettime {
namespace {

NOTIFYICONDATAA IconData(HWND owner) {
    NOTIFYICONDATAA data{};
    // The version 2 layout (488 bytes on 32-bit) is understood by every shell since 2000.
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = owner;
    data.uID = CTrayIcon::kIconId;
    return data;
}

}  // namespace

bool CTrayIcon::Add(HWND owner, HICON icon, const char* tip, UINT callbackMessage) {
    Remove();
    NOTIFYICONDATAA data = IconData(owner);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = icon;
    strncpy(data.szTip, tip, sizeof data.szTip - 1);
    if (!Shell_NotifyIconA(NIM_ADD, &data)) return false;
    owner_ = owner;
    return true;
}

void CTrayIcon::Remove() {
    if (!owner_) return;
    NOTIFYICONDATAA data = IconData(owner_);
    Shell_NotifyIconA(NIM_DELETE, &data);
    owner_ = nullptr;
}

}  // namespace tembra::nettime
