// The real clock and the real settings program side by side, as a user runs them, for the
// end-to-end test and the benchmark. Both programs use the test prefix's own user registry,
// so whoever uses this holds the clock and settings window locks.
#pragma once
#include <windows.h>
#include <prsht.h>

#include "framework/testing/TestSupport.h"
#include "store/ClockOptions.h"
#include "store/SuiteContract.h"

namespace tembra::test {

class LiveClockAndSheet {
public:
    LiveClockAndSheet() { ClearStoredSettings(); }
    ~LiveClockAndSheet() {
        if (sheet_) PostMessageA(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        if (!settings_.WaitExit(10000)) settings_.Kill();
        if (clock_ && IsWindow(clock_)) SendMessageA(clock_, WM_ENDSESSION, TRUE, 0);
        if (!clockProcess_.WaitExit(10000)) clockProcess_.Kill();
        ClearStoredSettings();
    }
    LiveClockAndSheet(const LiveClockAndSheet&) = delete;
    LiveClockAndSheet& operator=(const LiveClockAndSheet&) = delete;

    // Starts the clock, then the settings sheet on its General page; false when either
    // window does not show.
    bool Start() {
        // Only clocks of this test prefix can be here: one of an earlier test on its way out.
        if (HWND stray = FindWindowA(kClockClassName, nullptr))
            SendMessageA(stray, WM_ENDSESSION, TRUE, 0);
        if (!WaitForNoWindow(kClockClassName, 20000)) return false;
        if (!clockProcess_.Start(BinDir() + "\\" + kClockProgram, "")) return false;
        clock_ = WaitForProcessWindow(clockProcess_.pid(), kClockClassName, 20000);
        if (!clock_ || !WaitUntil([&] { return IsWindowVisible(clock_) != FALSE; }, 15000))
            return false;
        if (!settings_.Start(BinDir() + "\\" + kSettingsProgram, "")) return false;
        WaitUntil([&] {
            return (sheet_ = FindProcessWindow(settings_.pid(), "#32770", kSettingsSheetTitle)) !=
                   nullptr;
        }, 20000);
        if (!sheet_) return false;
        page_ = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page_ != nullptr;
    }

    HWND clock() const { return clock_; }
    HWND page() const { return page_; }
    int ClockWidth() const {
        RECT r;
        GetWindowRect(clock_, &r);
        return r.right - r.left;
    }
    // Clicks a check box of the page and waits until it shows the click. (Posted: the
    // program sits in its sheet's modal loop.)
    bool ClickCheckBox(int id) {
        HWND box = GetDlgItem(page_, id);
        const LRESULT before = SendMessageA(box, BM_GETCHECK, 0, 0);
        PostMessageA(box, BM_CLICK, 0, 0);
        return WaitUntil([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) != before; }, 5000);
    }
    void PressApply() { PostMessageA(sheet_, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0); }

private:
    static void ClearStoredSettings() {
        RegDeleteTreeAt("Software\\Tembra");
        HKEY run;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, reg::kRunKey, 0, KEY_ALL_ACCESS, &run) == 0) {
            RegDeleteValueA(run, reg::kRunValue);
            RegCloseKey(run);
        }
    }

    ChildProcess clockProcess_, settings_;
    HWND clock_ = nullptr, sheet_ = nullptr, page_ = nullptr;
};

}  // namespace tembra::test
