// Running the event editor in process: the test's thread sits in the modal editor while a
// worker thread plays the user.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>

#include "framework/testing/TestSupport.h"
#include "settings/EventEditDlg.h"
#include "settings/EventEditDlgRes.h"
#include "settings/tests/PageTestSupport.h"
#include "store/SuiteContract.h"

namespace tembra::test {

// Runs `script` on a worker once the editor window shows; the script must close it.
inline void WithEditorShown(const std::function<void(HWND editor)>& script,
                            std::thread* worker) {
    *worker = std::thread([script] {
        if (HWND editor = WaitForOwnDialog(kNewEventTitle)) script(editor);
    });
}

// Runs the editor on `record` with `script` playing the user; returns the editor's result.
inline INT_PTR RunEditor(EventRecord& record, const std::function<void(HWND editor)>& script) {
    CTCEventEditDlg editor(&record);
    std::thread worker;
    WithEditorShown(script, &worker);
    const INT_PTR result = editor.Run(GetModuleHandleA(nullptr), nullptr);
    worker.join();
    return result;
}

// A click on a button of a dialog in its modal loop: posted, so a dialog it opens cannot hold
// up the caller.
inline void PostClick(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
inline void SetText(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace tembra::test
