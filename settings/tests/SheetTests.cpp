// The settings sheet in process: its caption, pages, flat buttons and icon, and Apply that
// stays usable after Apply.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <string>

#include "framework/testing/ScriptedDialogs.h"
#include "settings/GeneralPageRes.h"
#include "settings/tests/SheetTestSupport.h"
#include "store/ClockOptions.h"

using namespace tembra;
using namespace tembra::test;

namespace {

std::string TabText(HWND tabs, int index) {
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

}  // namespace

TEST(SettingsSheet, OpensWithItsPagesFlatImageButtonsEnabledApplyAndIcon) {
    ScopedRegistrySandbox registry;
    CTCSetsSheet sheet(kGeneralPageIndex);
    HWND tabs = nullptr;
    int tabCount = 0;
    std::string firstTab, secondTab, lastTab;
    bool applyEnabled = false, buttonsFlat = false, helpShown = true, imagesSet = false;
    HICON icon = nullptr;
    RunSheetWith(sheet, [&](HWND hwnd) {
        tabs = reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETTABCONTROL, 0, 0));
        tabCount = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
        firstTab = TabText(tabs, 0);
        secondTab = TabText(tabs, 1);
        lastTab = TabText(tabs, tabCount - 1);
        HWND apply = GetDlgItem(hwnd, CPropertySheet::kApplyButtonId);
        applyEnabled = WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; }, 5000);
        buttonsFlat = IsOwnerDrawn(GetDlgItem(hwnd, IDOK)) &&
                      IsOwnerDrawn(GetDlgItem(hwnd, IDCANCEL)) && IsOwnerDrawn(apply);
        imagesSet = sheet.OkButton().HasDisabledBitmap() &&
                    sheet.CancelButton().HasDisabledBitmap() &&
                    sheet.ApplyButton().HasDisabledBitmap();
        HWND help = GetDlgItem(hwnd, IDHELP);
        helpShown = help && IsWindowVisible(help);
        icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
        PressSheetButton(hwnd, PSBTN_CANCEL);
    });
    EXPECT_EQ(tabCount, 4);
    EXPECT_EQ(firstTab, "常规");
    EXPECT_EQ(secondTab, "事件");
    EXPECT_EQ(lastTab, "Internet 时间");
    EXPECT_TRUE(applyEnabled) << "Apply starts enabled although nothing changed";
    EXPECT_TRUE(buttonsFlat);
    EXPECT_TRUE(imagesSet);
    EXPECT_FALSE(helpShown);
    EXPECT_NE(icon, nullptr);
}

TEST(SettingsSheet, ApplyOnTheGeneralPageLeavesApplyEnabledAndFlat) {
    ScopedRegistrySandbox registry;
    CTCSetsSheet sheet(kGeneralPageIndex);
    bool enabledAfterApply = false, flatAfterApply = false;
    RunSheetWith(sheet, [&](HWND hwnd) {
        HWND apply = GetDlgItem(hwnd, CPropertySheet::kApplyButtonId);
        WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; }, 5000);
        // The system disables Apply while applying; the pages' message enables it again.
        PressSheetButton(hwnd, PSBTN_APPLYNOW);
        WaitForPostedMessages(hwnd);  // pressed: from here only the pages' messages undo it
        enabledAfterApply = WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; }, 5000);
        flatAfterApply = IsOwnerDrawn(apply);
        PressSheetButton(hwnd, PSBTN_CANCEL);
    });
    EXPECT_TRUE(enabledAfterApply);
    EXPECT_TRUE(flatAfterApply);
}

// The events page saves without asking for Apply again: opened on it alone, Apply is left
// disabled after Apply.
TEST(SettingsSheet, ApplyWithOnlyTheEventsPageShownLeavesApplyDisabled) {
    ScopedRegistrySandbox registry;
    CTCSetsSheet sheet(kEventsPageIndex);
    int page = -1;
    bool disabledAfterApply = false, enabledAgain = true;
    RunSheetWith(sheet, [&](HWND hwnd) {
        HWND apply = GetDlgItem(hwnd, CPropertySheet::kApplyButtonId);
        WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; }, 5000);
        const LRESULT current = SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0);
        page = static_cast<int>(SendMessageA(hwnd, PSM_HWNDTOINDEX, current, 0));
        PressSheetButton(hwnd, PSBTN_APPLYNOW);
        disabledAfterApply = WaitUntil([&] { return !IsWindowEnabled(apply); }, 5000);
        // The press has been handled, and then what a page posted while handling it.
        WaitForPostedMessages(hwnd);
        WaitForPostedMessages(hwnd);
        enabledAgain = IsWindowEnabled(apply) != FALSE;
        PressSheetButton(hwnd, PSBTN_CANCEL);
    });
    EXPECT_EQ(page, kEventsPageIndex);
    EXPECT_TRUE(disabledAfterApply);
    EXPECT_FALSE(enabledAgain);
}

// Enter on a focused flat button presses it, on a page as on the sheet.
TEST(SettingsSheet, EnterPressesTheFocusedFlatButton) {
    ScopedRegistrySandbox registry;
    ScriptedDialogs dialogs;
    std::atomic<int> fontAsked{0};
    dialogs.onFont = [&](CHOOSEFONTA&) { return ++fontAsked, false; };
    CTCSetsSheet sheet(kGeneralPageIndex);
    const INT_PTR result = RunSheetWith(sheet, [&](HWND hwnd) {
        HWND page = reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        PostEnterOn(hwnd, GetDlgItem(page, IDC_FONT));
        WaitUntil([&] { return fontAsked == 1; }, 5000);
        PostEnterOn(hwnd, GetDlgItem(hwnd, IDCANCEL));
    });
    EXPECT_EQ(fontAsked, 1);
    EXPECT_EQ(result, 0) << "closed by Cancel";
    EXPECT_TRUE(RegValueNames(reg::kOptionsKey).empty()) << "nothing saved";
}
