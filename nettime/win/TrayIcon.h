// The program's icon in the notification area; removed when its owner goes away.
#pragma once
#include <windows.h>

namespace tembra::nettime {

class CTrayIcon {
public:
    static constexpr UINT kIconId = 1;

    CTrayIcon() = default;
    ~CTrayIcon() { Remove(); }
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds the icon owned by `owner`; the shell reports mouse actions with `callbackMessage`.
    bool Add(HWND owner, HICON icon, const char* tip, UINT callbackMessage);
    // Deletes the icon; harmless when none was added.
    void Remove();
    bool shown() const { return owner_ != nullptr; }

private:
    HWND owner_ = nullptr;
};

}  // namespace tembra::nettime
