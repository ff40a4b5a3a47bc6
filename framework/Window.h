// Minimal window base: binds `this` at WM_NCCREATE and forwards every message to one
// virtual HandleMessage. Derived classes dispatch there to named handlers.
#pragma once
#include <windows.h>

namespace tembra {

class CWindow {
public:
    virtual ~CWindow() = default;
    HWND hwnd() const { return hwnd_; }

    // Registers `className` with this base's procedure (once per process).
    static bool RegisterWindowClass(WNDCLASSA wc);

    // Creates the window; the object must outlive it.
    HWND Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent, HINSTANCE instance);

protected:
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace tembra
