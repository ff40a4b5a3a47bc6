// The property sheet layer in process: which pages hear Apply, OK and Cancel, the changed
// notification, owner-draw requests reaching the control object, and the data exchange
// helpers on real controls.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/PropertySheet.h"
#include "framework/testing/TestSupport.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr int kFirstTemplate = 201, kSecondTemplate = 202;
constexpr int kCheck = 300, kCombo = 301, kRadio1 = 302, kRadio2 = 303, kEdit = 304, kDrawn = 305;

class RecordingPage : public CPropertyPage {
public:
    RecordingPage(int templateId, std::string title, std::vector<std::string>* log)
        : CPropertyPage(templateId, std::move(title)), log_(log) {}

protected:
    BOOL OnInitDialog() override {
        log_->push_back(Title() + " init");
        return TRUE;
    }
    bool OnApply(bool ok) override {
        log_->push_back(Title() + (ok ? " ok" : " apply"));
        return true;
    }
    void OnReset() override { log_->push_back(Title() + " reset"); }

private:
    std::vector<std::string>* log_;
};

// Counts the owner-draw requests of the control it took over.
class DrawnControl : public CSubclassedWindow {
public:
    int draws = 0;

protected:
    bool DrawItem(const DRAWITEMSTRUCT& item) override {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
        ++draws;
        return true;
    }
};

// A sheet that publishes its window and runs `script` on a worker thread once it exists:
// the sheet's own thread sits in PropertySheetA.
class ScriptedSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;
    std::function<void(HWND)> onInitialized;

    INT_PTR Run(const std::function<void(HWND)>& script) {
        std::thread worker([&] {
            if (!WaitUntil([&] { return sheet_.load() != nullptr; }, 10000)) return;
            script(sheet_.load());
        });
        INT_PTR result = DoModal(GetModuleHandleA(nullptr), nullptr);
        worker.join();
        return result;
    }

protected:
    // The system finishes its start-up (and disables Apply) after OnInitialized: the script
    // starts once a message posted from there arrives.
    void OnInitialized() override {
        if (onInitialized) onInitialized(hwnd());
        PostMessageA(hwnd(), kStarted, 0, 0);
    }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != kStarted) return CPropertySheet::HandleMessage(msg, wParam, lParam);
        sheet_ = hwnd();
        return 0;
    }

private:
    static constexpr UINT kStarted = WM_APP + 1;
    std::atomic<HWND> sheet_{nullptr};
};

// The sheet's modal loop notices a button press only when it was posted.
void Press(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }

}  // namespace

TEST(SheetLayer, ApplyAndOkReachOnlyPagesThatWereShown) {
    std::vector<std::string> log;
    RecordingPage first(kFirstTemplate, "first", &log), second(kSecondTemplate, "second", &log);
    ScriptedSheet sheet("测试 设置", 0);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    std::string caption;
    INT_PTR result = sheet.Run([&](HWND hwnd) {
        caption = WindowText(hwnd);
        first.SetModified();
        Press(hwnd, PSBTN_APPLYNOW);
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_GT(result, 0);
    EXPECT_EQ(caption, "测试 设置");
    EXPECT_EQ(log, (std::vector<std::string>{"first init", "first apply", "first ok"}));
}

TEST(SheetLayer, CancelResetsShownPagesOnTheStartPage) {
    std::vector<std::string> log;
    RecordingPage first(kFirstTemplate, "first", &log), second(kSecondTemplate, "second", &log);
    ScriptedSheet sheet("测试", 1);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    INT_PTR result = sheet.Run([&](HWND hwnd) { Press(hwnd, PSBTN_CANCEL); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"second init", "second reset"}));
}

TEST(SheetLayer, ModifiedEnablesApplyAndNoHelpButtonShows) {
    std::vector<std::string> log;
    RecordingPage first(kFirstTemplate, "first", &log);
    ScriptedSheet sheet("测试", 0);
    sheet.AddPage(&first);
    bool enabledBefore = true, enabledAfter = false, helpVisible = true;
    sheet.Run([&](HWND hwnd) {
        HWND apply = GetDlgItem(hwnd, CPropertySheet::kApplyButtonId);
        enabledBefore = IsWindowEnabled(apply) != FALSE;
        first.SetModified();
        enabledAfter = IsWindowEnabled(apply) != FALSE;
        HWND help = GetDlgItem(hwnd, IDHELP);
        helpVisible = help && IsWindowVisible(help);
        Press(hwnd, PSBTN_CANCEL);
    });
    EXPECT_FALSE(enabledBefore);
    EXPECT_TRUE(enabledAfter);
    EXPECT_FALSE(helpVisible);
}

TEST(SheetLayer, OwnerDrawRequestsReachTheControlObjectOnPagesAndSheet) {
    std::vector<std::string> log;
    RecordingPage first(kFirstTemplate, "first", &log);
    ScriptedSheet sheet("测试", 0);
    sheet.AddPage(&first);
    DrawnControl onPage, onSheet;
    sheet.onInitialized = [&](HWND hwnd) {
        HWND ok = GetDlgItem(hwnd, IDOK);
        SetWindowLongPtrA(ok, GWL_STYLE,
                          (GetWindowLongPtrA(ok, GWL_STYLE) & ~BS_TYPEMASK) | BS_OWNERDRAW);
        onSheet.Attach(ok);
    };
    sheet.Run([&](HWND hwnd) {
        onPage.Attach(GetDlgItem(first.hwnd(), kDrawn));
        RedrawWindow(onPage.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RedrawWindow(onSheet.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Press(hwnd, PSBTN_CANCEL);
    });
    EXPECT_GT(onPage.draws, 0);
    EXPECT_GT(onSheet.draws, 0);
}

TEST(SheetLayer, DataExchangeOnRealControls) {
    std::vector<std::string> log;
    RecordingPage first(kFirstTemplate, "first", &log);
    ScriptedSheet sheet("测试", 0);
    sheet.AddPage(&first);
    sheet.Run([&](HWND) {
        HWND page = first.hwnd();
        SetCheck(page, kCheck, 1);
        EXPECT_EQ(GetCheck(page, kCheck), 1);

        AddComboItems(page, kCombo, {"a", "b"});
        SetComboSelection(page, kCombo, 1);
        EXPECT_EQ(GetComboSelection(page, kCombo), 1);
        SetComboSelection(page, kCombo, 2);  // past the last item
        EXPECT_EQ(GetComboSelection(page, kCombo), -1);

        SetRadioIndex(page, kRadio1, kRadio2, 1);
        EXPECT_EQ(GetRadioIndex(page, kRadio1, kRadio2), 1);
        SetRadioIndex(page, kRadio1, kRadio2, 2);
        EXPECT_EQ(GetRadioIndex(page, kRadio1, kRadio2), -1);

        const std::string longText(700, '7');  // longer than any fixed buffer
        SetItemText(page, kEdit, longText);
        EXPECT_EQ(GetItemText(page, kEdit), longText);
        EXPECT_EQ(GetItemNumber(page, kEdit), UINT32_MAX);
        SetItemNumber(page, kEdit, -5);
        EXPECT_EQ(GetItemText(page, kEdit), "-5");
        Press(sheet.hwnd(), PSBTN_CANCEL);
    });
}
