#include "framework/Dialog.h"

#include "framework/SubclassedWindow.h"

namespace tembra {

HWND CDialog::CreateModeless(HINSTANCE instance, int templateId, HWND owner) {
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner, StaticProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal(HINSTANCE instance, int templateId, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, StaticProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    // A control object that draws itself answers its owner-draw request.
    if (msg == WM_DRAWITEM && CSubclassedWindow::ReflectDrawItem(lParam)) return TRUE;
    INT_PTR result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace tembra
