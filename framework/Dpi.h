// The DPI things are drawn at: the system's, and that of the monitor a window is on. The
// programs declare themselves aware of each monitor's DPI (their manifest), so the system
// does not stretch them: they scale what they draw themselves.
#pragma once
#include <windows.h>

#include "framework/core/DpiScale.h"

namespace tembra {

// Sent to a top-level window when its monitor's DPI changes or it moves to a monitor of
// another DPI (Windows 8.1 on): wParam holds the new DPI (LOWORD), lParam the RECT the
// system suggests for the window at that DPI.
constexpr UINT kWmDpiChanged = 0x02E0;

// The DPI of the screen (LOGPIXELSY), which the font and colour dialogs use; 96 when the
// screen cannot be asked.
UINT SystemDpi();
// The DPI of the monitor `window` is on: what Windows 10 gives for the window, else the
// monitor's effective DPI (Windows 8.1), else the system DPI (older systems have only one).
UINT WindowDpi(HWND window);

}  // namespace tembra
