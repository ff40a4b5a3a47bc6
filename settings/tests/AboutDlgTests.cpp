// The about box in process: the version line's bold font, the links' look and cursor, and
// their targets handed to the shell through the system seam.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <thread>

#include "framework/testing/TestSupport.h"
#include "settings/AboutDlg.h"
#include "settings/SettingsResources.h"
#include "store/SuiteContract.h"

using namespace tembra;
using namespace tembra::test;

namespace {

LOGFONTA FontOf(HFONT font) {
    LOGFONTA description{};
    GetObjectA(font, sizeof description, &description);
    return description;
}

// What one static control paints with: its own font (Wine selects it after asking for the
// colours), and the colours and brush the box answers.
struct StaticLook {
    HBRUSH brush;
    COLORREF text;
    LOGFONTA font;
};

StaticLook LookOf(HWND box, int id) {
    HWND control = GetDlgItem(box, id);
    HDC dc = GetDC(control);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    StaticLook look{brush, GetTextColor(dc),
                    FontOf(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)))};
    ReleaseDC(control, dc);
    return look;
}

}  // namespace

TEST(AboutBox, BoldVersionBlueUnderlinedLinksWithHandAndTheirTargets) {
    RecordingSystem system;
    CAboutDlg about;
    StaticLook version{}, link{};
    LOGFONTA dialogFont{};
    bool handOverLink = false, handElsewhere = true;
    std::thread user([&] {
        HWND box = nullptr;
        WaitUntil([&] {
            return (box = FindProcessWindow(GetCurrentProcessId(), "#32770", kAboutTitle)) != nullptr;
        }, 10000);
        if (!box) return;
        dialogFont = FontOf(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
        version = LookOf(box, IDC_ABOUT_VERSION);
        link = LookOf(box, IDC_ABOUT_MAIL1);
        handOverLink = SendMessageA(box, WM_SETCURSOR,
                                    reinterpret_cast<WPARAM>(GetDlgItem(box, IDC_ABOUT_HOME)),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) != 0;
        handElsewhere = SendMessageA(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(box, IDOK)),
                                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) != 0;
        for (int id : {IDC_ABOUT_MAIL1, IDC_ABOUT_MAIL2, IDC_ABOUT_HOME})
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    about.Run(GetModuleHandleA(nullptr), nullptr);
    user.join();

    EXPECT_EQ(version.font.lfWeight, FW_BOLD);
    EXPECT_EQ(std::abs(version.font.lfHeight), std::abs(dialogFont.lfHeight) + 1);
    EXPECT_FALSE(version.font.lfUnderline);
    EXPECT_TRUE(link.font.lfUnderline);
    EXPECT_EQ(link.font.lfWeight, dialogFont.lfWeight);
    EXPECT_EQ(link.text, RGB(0, 0, 255));
    EXPECT_EQ(link.brush, static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)));
    EXPECT_TRUE(handOverLink);
    EXPECT_FALSE(handElsewhere);
    EXPECT_EQ(system.calls, (std::vector<std::string>{
                                std::string("start|") + kFirstMailTarget + "||",
                                std::string("start|") + kSecondMailTarget + "||",
                                std::string("start|") + kHomePageTarget + "||"}));
}
