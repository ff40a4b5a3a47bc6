// Runs the settings sheet in process: the sheet's own thread sits in PropertySheetA, so a
// worker thread plays the user. Buttons are pressed by posting PSM_PRESSBUTTON: a sent one
// from another thread runs the notifications but leaves the sheet's modal loop waiting.
#pragma once
#include <windows.h>
#include <prsht.h>

#include <functional>
#include <thread>

#include "framework/testing/TestSupport.h"
#include "settings/TCSetsSheet.h"
#include "store/SuiteContract.h"

namespace tembra::test {

// The sheet window of this process, once it is visible.
inline HWND WaitForOwnSheet(DWORD timeoutMs = 10000) {
    HWND sheet = nullptr;
    WaitUntil([&] {
        return (sheet = FindProcessWindow(GetCurrentProcessId(), "#32770",
                                          kSettingsSheetTitle)) != nullptr;
    }, timeoutMs);
    return sheet;
}

// Runs `sheet` modally while `script` runs with its window on a worker thread. The script
// must close the sheet (PressSheetButton with PSBTN_OK or PSBTN_CANCEL).
inline INT_PTR RunSheetWith(CTCSetsSheet& sheet, const std::function<void(HWND)>& script) {
    std::thread worker([&] {
        HWND hwnd = WaitForOwnSheet();
        if (hwnd) script(hwnd);
    });
    INT_PTR result = sheet.Run(GetModuleHandleA(nullptr));
    worker.join();
    return result;
}

inline void PressSheetButton(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

inline bool IsOwnerDrawn(HWND button) {
    return (GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

}  // namespace tembra::test
