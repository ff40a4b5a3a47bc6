// Running settings pages in a sheet in process: the sheet's thread sits in PropertySheetA
// while a worker thread drives the controls; a stand-in clock window counts reload requests;
// a read-only registry makes every missing key impossible to create.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

#include "framework/PropertySheet.h"
#include "framework/testing/TestSupport.h"
#include "store/SuiteContract.h"

namespace tembra::test {

// The visible dialog of this process titled `title`, waited for.
inline HWND WaitForOwnDialog(const char* title) {
    HWND found = nullptr;
    WaitUntil([&] {
        return (found = FindProcessWindow(GetCurrentProcessId(), "#32770", title)) != nullptr;
    }, 10000);
    if (found) SendMessageA(found, WM_NULL, 0, 0);  // handled once its initialisation is over
    return found;
}

class PageSheet : public CPropertySheet {
public:
    explicit PageSheet(std::initializer_list<CPropertyPage*> pages, int startPage = 0)
        : CPropertySheet("页测试", startPage), startPage_(startPage) {
        for (CPropertyPage* page : pages) AddPage(page);
    }
    // Runs the sheet; `script` runs on a worker once the start page has finished its
    // initialisation, and must end the sheet (Press OK or Cancel). Returns the sheet's result.
    INT_PTR Run(const std::function<void(HWND sheet)>& script) {
        std::thread worker([&] {
            CPropertyPage* start = Pages()[startPage_];
            if (!WaitUntil([&] { return sheet_.load() && start->hwnd(); }, 10000)) return;
            // The page window exists from the start of its WM_INITDIALOG; a message sent
            // to it is handled only once that is over.
            SendMessageA(start->hwnd(), WM_NULL, 0, 0);
            script(sheet_.load());
        });
        INT_PTR result = DoModal(GetModuleHandleA(nullptr), nullptr);
        worker.join();
        return result;
    }

protected:
    void OnInitialized() override { sheet_ = hwnd(); }

private:
    int startPage_;
    std::atomic<HWND> sheet_{nullptr};
};

// The sheet's modal loop notices a button press only when it was posted.
// A stored number, or 0xDEADBEEF when there is none to read.
inline DWORD StoredNumber(const std::string& key, const char* name) {
    DWORD value = 0xDEADBEEF;
    RegReadDword(key, name, &value);
    return value;
}

inline void Press(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }
// A click on a page's control, as the user makes it (handled on the sheet's thread).
inline void Click(HWND page, int id) { SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); }
inline bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
inline bool Visible(HWND page, int id) { return IsWindowVisible(GetDlgItem(page, id)) != FALSE; }
inline bool Checked(HWND page, int id) {
    return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A window of the clock's class on the calling thread that counts the reload requests it
// receives, of the options and of the events. Tests using it hold the clock_process lock.
class StandInClock {
public:
    StandInClock() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClockClassName;
        RegisterClassA(&wc);
        window_ = CreateWindowA(kClockClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
        reloads() = 0;
        eventReloads() = 0;
    }
    ~StandInClock() {
        DestroyWindow(window_);
        UnregisterClassA(kClockClassName, GetModuleHandleA(nullptr));
    }
    StandInClock(const StandInClock&) = delete;
    StandInClock& operator=(const StandInClock&) = delete;
    int OptionReloads() const { return reloads(); }
    int EventReloads() const { return eventReloads(); }

private:
    static std::atomic<int>& reloads() {
        static std::atomic<int> count{0};
        return count;
    }
    static std::atomic<int>& eventReloads() {
        static std::atomic<int> count{0};
        return count;
    }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_CLOCK_RELOADOPTIONS && wParam == 0 && lParam == 0) {
            ++reloads();
            return 0;
        }
        if (msg == WM_CLOCK_RELOADEVENTS && wParam == 0 && lParam == 0) {
            ++eventReloads();
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    HWND window_ = nullptr;
};

// A key that exists but cannot be opened while this object lives: its access list grants
// nothing. (Under Wine a read-only parent key does not stop creating sub-keys; an access
// list does stop opening.) The key is opened to everyone again at the end, so the registry
// sandbox can delete it.
class ClosedKey {
public:
    explicit ClosedKey(const std::string& path) {
        HKEY raw = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &raw, nullptr);
        key_.reset(raw);
        ACL empty;
        InitializeAcl(&empty, sizeof empty, ACL_REVISION);
        SetDacl(&empty);
    }
    ~ClosedKey() { SetDacl(nullptr); }
    ClosedKey(const ClosedKey&) = delete;
    ClosedKey& operator=(const ClosedKey&) = delete;

private:
    void SetDacl(ACL* acl) {
        SECURITY_DESCRIPTOR sd;
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
        RegSetKeySecurity(key_.get(), DACL_SECURITY_INFORMATION, &sd);
    }
    UniqueRegKey key_;
};

}  // namespace tembra::test
