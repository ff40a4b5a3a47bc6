// Dialog base: binds `this` at WM_INITDIALOG (kept in DWLP_USER, so GWLP_USERDATA stays free
// for the dialog's own use) and forwards every message to one virtual HandleMessage.
#pragma once
#include <windows.h>

namespace tembra {

class CDialog {
public:
    virtual ~CDialog() = default;
    HWND hwnd() const { return hwnd_; }

    HWND CreateModeless(HINSTANCE instance, int templateId, HWND owner);
    INT_PTR DoModal(HINSTANCE instance, int templateId, HWND owner);

protected:
    // Returns TRUE when the message was handled, as a dialog procedure does.
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace tembra
