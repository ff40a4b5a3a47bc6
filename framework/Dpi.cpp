#include "framework/Dpi.h"

#include "framework/Handles.h"

namespace tembra {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <class Function>
Function Find(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

}  // namespace

UINT SystemDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UINT WindowDpi(HWND window) {
    // Looked up once: Windows 10 1607 and Windows 8.1 added them, older systems lack them.
    static const auto forWindow =
        Find<GetDpiForWindowFunction>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    static const auto forMonitor =
        Find<GetDpiForMonitorFunction>(LoadLibraryA("shcore.dll"), "GetDpiForMonitor");
    if (forWindow && window) {
        if (const UINT dpi = forWindow(window)) return dpi;
    }
    if (forMonitor && window) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi,
                                 &x, &y)) &&
            y > 0)
            return y;
    }
    return SystemDpi();
}

}  // namespace tembra
