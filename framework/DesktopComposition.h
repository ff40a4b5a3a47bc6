// Whether the desktop keeps a copy of every pixel a window drew, also where the window's
// region hides it for a while: true with desktop composition (Windows Vista and later with
// it on, every Windows 8 and later) and under Wine, whose window surfaces hold them.
// Without it (Windows XP, composition off) pixels a region hides are gone, and a window
// must paint them again when its region shows them.
#pragma once

namespace tembra {

bool DesktopKeepsHiddenPixels();

// Lets tests take either answer; 0 gives the system's answer back.
void SetDesktopKeepsHiddenPixelsForTest(int answer);  // 1 yes, -1 no, 0 the system's

}  // namespace tembra
