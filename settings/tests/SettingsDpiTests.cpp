// The settings program where the system DPI is 144 (this test's Wine prefix).
#include <gtest/gtest.h>

#include <vector>

#include "framework/Dpi.h"
#include "framework/testing/ScriptedDialogs.h"
#include "settings/GeneralPageRes.h"
#include "settings/tests/PageTestSupport.h"
#include "settings/tests/SheetTestSupport.h"
#include "store/OptionsStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {
LONG PreviewFontHeight(HWND page) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(page, IDC_TEXT_SAMPLE, WM_GETFONT, 0, 0)),
               sizeof font, &font);
    return font.lfHeight;
}
}  // namespace

TEST(SettingsAtHighDpi, FontSizesMeetTheDialogAtTheSystemDpiThePreviewShowsTheClocksAndImagesGrow) {
    ASSERT_EQ(SystemDpi(), 144u) << "needs the 144-DPI prefix";
    ScopedRegistrySandbox registry;  // the default font: 13 pixels at 96 DPI
    ScriptedDialogs dialogs;
    LONG asked = 0;
    dialogs.onFont = [&](CHOOSEFONTA& request) {
        asked = request.lpLogFont->lfHeight;
        request.lpLogFont->lfHeight = -36;  // 24 pixels at 96 DPI
        return true;
    };
    CTCSetsSheet sheet(kGeneralPageIndex);
    LONG previewBefore = 0, previewAfter = 0;
    SIZE ok{}, cancel{}, apply{};
    RunSheetWith(sheet, [&](HWND hwnd) {
        HWND page = reinterpret_cast<HWND>(SendMessageA(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        previewBefore = PreviewFontHeight(page);
        Click(page, IDC_FONT);
        previewAfter = PreviewFontHeight(page);
        ok = sheet.OkButton().ImageSize();
        cancel = sheet.CancelButton().ImageSize();
        apply = sheet.ApplyButton().ImageSize();
        PressSheetButton(hwnd, PSBTN_OK);
    });
    EXPECT_EQ(asked, -20);  // 19.5 pixels, rounded as MulDiv rounds
    EXPECT_EQ(previewBefore, -20);
    EXPECT_EQ(StoredNumber(reg::kOptionsKey, "FontHeight"), static_cast<DWORD>(-24));
    EXPECT_EQ(previewAfter, -36);
    // The pictures drawn for 150 %: 16 x 15, 13 x 15 and 11 x 14 at 96 DPI.
    EXPECT_EQ((std::vector<LONG>{ok.cx, ok.cy, cancel.cx, cancel.cy, apply.cx, apply.cy}),
              (std::vector<LONG>{24, 23, 20, 23, 17, 21}));
}
