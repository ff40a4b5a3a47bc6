#include "framework/SubclassedWindow.h"

namespace tembra {
namespace {
constexpr const char* kObjectProperty = "TembraWindowObject";
}

CSubclassedWindow::~CSubclassedWindow() { Detach(); }

bool CSubclassedWindow::Attach(HWND hwnd) {
    if (!IsWindow(hwnd) || FromHandle(hwnd) || hwnd_) return false;
    hwnd_ = hwnd;
    SetPropA(hwnd, kObjectProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc)));
    OnAttached();
    return true;
}

void CSubclassedWindow::Detach() {
    if (!hwnd_) return;
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropA(hwnd_, kObjectProperty);
    }
    hwnd_ = nullptr;
    original_ = nullptr;
}

CSubclassedWindow* CSubclassedWindow::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CSubclassedWindow*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

bool CSubclassedWindow::ReflectDrawItem(LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!item || item->CtlType == ODT_MENU) return false;
    CSubclassedWindow* control = FromHandle(item->hwndItem);
    return control && control->DrawItem(*item);
}

LRESULT CSubclassedWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallOriginal(msg, wParam, lParam);
}

bool CSubclassedWindow::DrawItem(const DRAWITEMSTRUCT&) { return false; }

LRESULT CSubclassedWindow::CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(original_, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK CSubclassedWindow::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CSubclassedWindow* self = FromHandle(hwnd);
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        self->Detach();
        return CallWindowProcA(original, hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

}  // namespace tembra
