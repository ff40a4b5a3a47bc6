#include "framework/DesktopComposition.h"

#include <windows.h>

namespace tembra {
namespace {

int g_testAnswer = 0;

using IsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);

bool RunsOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool CompositionEnabled() {
    // dwmapi.dll does not exist before Vista; loaded once, kept for the process.
    static const IsCompositionEnabled query = [] {
        HMODULE dwm = LoadLibraryA("dwmapi.dll");
        return dwm ? reinterpret_cast<IsCompositionEnabled>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")))
                   : nullptr;
    }();
    BOOL enabled = FALSE;
    return query && SUCCEEDED(query(&enabled)) && enabled;
}

}  // namespace

bool DesktopKeepsHiddenPixels() {
    if (g_testAnswer != 0) return g_testAnswer > 0;
    static const bool wine = RunsOnWine();
    // Composition can be switched off and on while we run (Windows 7), so it is asked anew.
    return wine || CompositionEnabled();
}

void SetDesktopKeepsHiddenPixelsForTest(int answer) { g_testAnswer = answer; }

}  // namespace tembra
