// The General page in a sheet, against a private registry, driven through its controls.
#include <gtest/gtest.h>

#include "framework/testing/ScriptedDialogs.h"
#include "settings/GeneralPage.h"
#include "settings/GeneralPageRes.h"
#include "settings/tests/PageTestSupport.h"
#include "store/AutoStart.h"
#include "store/ClockOptions.h"

using namespace tembra;
using namespace tembra::test;

namespace {
const std::string kOptions = reg::kOptionsKey;
const std::string kRun = reg::kRunKey;

DWORD Stored(const char* name) { return StoredNumber(kOptions, name); }
std::string StoredText(const std::string& path, const char* name) {
    std::string value = "<none>";
    RegReadString(path, name, &value);
    return value;
}

// What the page answers when the static `id` asks for its colours: the brush's colour and
// the text colour it sets.
struct StaticColours {
    COLORREF brush = 0xFFFFFFFF;
    COLORREF text = 0xFFFFFFFF;
};
StaticColours ColoursOf(HWND page, int id) {
    StaticColours colours;
    WindowDc screen(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    SetTextColor(dc.get(), 0x00ABCDEF);  // left so when the page sets none
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(
        page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
        reinterpret_cast<LPARAM>(GetDlgItem(page, id))));
    LOGBRUSH lb = {};
    if (brush && GetObjectA(brush, sizeof lb, &lb) == sizeof lb) colours.brush = lb.lbColor;
    colours.text = GetTextColor(dc.get());
    return colours;
}

}  // namespace

TEST(GeneralPage, StoredOptionsRoundTripThroughTheControls) {
    ScopedRegistrySandbox sandbox;
    RegWriteString(kOptions, "FontStyles", "BOLDITALICUNDERLINESTRIKE");  // all four: 25 chars
    RegWriteDword(kOptions, "Date", 0);
    RegWriteDword(kOptions, "TrayMode", 0);
    StandInClock clock;
    CTCGeneralDlg page;
    PageSheet sheet({&page});
    bool dateShown = true, borderShown = false;
    sheet.Run([&](HWND hwnd) {
        dateShown = Checked(page.hwnd(), IDC_SHOW_DATE);
        borderShown = Checked(page.hwnd(), IDC_BORDER);
        Click(page.hwnd(), IDC_SHOW_SECONDS);
        Click(page.hwnd(), IDC_AUTO_START);  // no Run key yet
        RegWriteDword(kOptions, "TrayMode", 1);  // the clock's menu, while the sheet is open
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_FALSE(dateShown);
    EXPECT_TRUE(borderShown);
    EXPECT_EQ(Stored("Seconds"), 1u);
    EXPECT_EQ(Stored("Date"), 0u);
    EXPECT_FALSE(RegValueExists(kOptions, "Border"));  // left alone: not written
    EXPECT_EQ(StoredText(kOptions, "FontStyles"), "BOLDITALICUNDERLINESTRIKE");
    EXPECT_EQ(Stored("TrayMode"), 1u);
    EXPECT_EQ(StoredText(kRun, "zmrClock"), ClockPathBesideThisProgram());
    EXPECT_EQ(clock.OptionReloads(), 1);
}

TEST(GeneralPage, WhatTheUserLeftAloneKeepsWhatOthersStoredMeanwhile) {
    ScopedRegistrySandbox sandbox;
    const std::string otherCopy = "C:\\Elsewhere\\TembraClock.exe";
    RegWriteString(kRun, "zmrClock", otherCopy);
    CTCGeneralDlg page;
    PageSheet sheet({&page});
    sheet.Run([&](HWND hwnd) {
        Click(page.hwnd(), IDC_SHOW_DATE);
        RegWriteDword(kOptions, "Seconds", 1);  // the clock's menu, while the sheet is open
        Press(hwnd, PSBTN_APPLYNOW);
        WaitUntil([] { return Stored("Date") == 0; }, 5000);
        RegWriteDword(kOptions, "Date", 1);  // and back from the menu after Apply
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_EQ(Stored("Date"), 1u);
    EXPECT_EQ(Stored("Seconds"), 1u);
    EXPECT_EQ(StoredText(kRun, "zmrClock"), otherCopy);  // the box was not touched
}

TEST(GeneralPage, WithoutTheOptionsKeyItShowsTheDefaultsAndStillFindsAutoStart) {
    ScopedRegistrySandbox sandbox;
    std::string clockPath = ClockPathBesideThisProgram();
    CharLowerA(&clockPath[0]);  // the same path apart from case
    RegWriteString(kRun, "zmrClock", clockPath);
    ClosedKey closed(kOptions);
    CTCGeneralDlg page;
    PageSheet sheet({&page});
    bool transparent = true, border = false, useFontColor = false, autoStart = false;
    StaticColours text;
    sheet.Run([&](HWND hwnd) {
        transparent = Checked(page.hwnd(), IDC_TRANSPARENT);
        border = Checked(page.hwnd(), IDC_BORDER);
        useFontColor = Checked(page.hwnd(), IDC_USE_FONT_COLOR);
        autoStart = Checked(page.hwnd(), IDC_AUTO_START);
        text = ColoursOf(page.hwnd(), IDC_TEXT_SAMPLE);
        Press(hwnd, PSBTN_CANCEL);
    });
    EXPECT_FALSE(RegKeyExists(kOptions));  // the key really was closed to the page
    EXPECT_FALSE(transparent);
    EXPECT_TRUE(border);
    EXPECT_TRUE(useFontColor);
    EXPECT_TRUE(autoStart);
    EXPECT_EQ(text.text, 0xFFFFFFu);  // white on black, as a fresh clock shows
    EXPECT_EQ(text.brush, 0u);
    EXPECT_STREQ(page.Options().FontName, "Arial");
}

TEST(GeneralPage, FontAndColourDialogsFeedThePreviewAndTheSave) {
    ScopedRegistrySandbox sandbox;
    ScriptedDialogs dialogs;
    std::string askedFace;
    LONG askedHeight = 0;
    dialogs.onFont = [&](CHOOSEFONTA& request) {
        askedFace = request.lpLogFont->lfFaceName;
        askedHeight = request.lpLogFont->lfHeight;
        lstrcpyA(request.lpLogFont->lfFaceName, "Courier New");
        request.lpLogFont->lfWeight = 600;  // semi-bold is not bold
        request.lpLogFont->lfItalic = TRUE;
        request.lpLogFont->lfHeight = -20;
        return true;
    };
    COLORREF next = 0x000010;
    bool answer = true;
    dialogs.onColor = [&](CHOOSECOLORA& request) {
        request.rgbResult = next;
        return answer;
    };
    CTCGeneralDlg page;
    PageSheet sheet({&page});
    StaticColours area, borderSample, cancelled;
    sheet.Run([&](HWND hwnd) {
        Click(page.hwnd(), IDC_FONT);
        for (int i = 0; i < 20; ++i) {  // many colours, each asked for by a repaint
            next = 0x000010 + i;
            Click(page.hwnd(), IDC_BACKGROUND_COLOR);
            ColoursOf(page.hwnd(), IDC_PREVIEW_AREA);
        }
        next = 0x0000FF;
        Click(page.hwnd(), IDC_FONT_COLOR);
        area = ColoursOf(page.hwnd(), IDC_PREVIEW_AREA);
        borderSample = ColoursOf(page.hwnd(), IDC_BORDER_SAMPLE);  // takes the font colour
        answer = false;
        next = 0x00FF00;
        Click(page.hwnd(), IDC_FONT_COLOR2);
        cancelled = ColoursOf(page.hwnd(), IDC_TEXT_SAMPLE2);
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_EQ(askedFace, "Arial");
    EXPECT_EQ(askedHeight, -13);
    EXPECT_EQ(area.brush, 0x000010u + 19);
    EXPECT_EQ(borderSample.brush, 0x0000FFu);
    EXPECT_EQ(cancelled.text, 0xFFFFFFu);
    EXPECT_LE(page.Brushes().Count(), 5u);  // one per colour in use, none piling up
    EXPECT_EQ(StoredText(kOptions, "FontName"), "Courier New");
    EXPECT_EQ(StoredText(kOptions, "FontStyles"), "ITALIC");
    EXPECT_EQ(Stored("FontHeight"), static_cast<DWORD>(-20));
    EXPECT_EQ(Stored("BackgroundColor"), 0x000010u + 19);
    EXPECT_EQ(Stored("FontColor"), 0x0000FFu);
    EXPECT_EQ(Stored("FontColor2"), 0xFFFFFFu);
}

TEST(GeneralPage, TheBorderSwitchesRuleTheBorderControls) {
    ScopedRegistrySandbox sandbox;
    RegWriteDword(kOptions, "BorderColor", 0x00AA00);
    CTCGeneralDlg page;
    PageSheet sheet({&page});
    bool borderColourAtStart = true, borderColourOwn = false, sampleShownAtStart = false;
    bool useFontColorWithoutBorder = true, borderColourWithoutBorder = true, sampleWithout = true;
    StaticColours ownColour;
    sheet.Run([&](HWND hwnd) {
        HWND p = page.hwnd();
        borderColourAtStart = Enabled(p, IDC_BORDER_COLOR);  // the font colour is used
        sampleShownAtStart = Visible(p, IDC_BORDER_SAMPLE);
        Click(p, IDC_USE_FONT_COLOR);
        borderColourOwn = Enabled(p, IDC_BORDER_COLOR2);
        ownColour = ColoursOf(p, IDC_BORDER_SAMPLE);
        Click(p, IDC_BORDER);
        useFontColorWithoutBorder = Enabled(p, IDC_USE_FONT_COLOR);
        borderColourWithoutBorder = Enabled(p, IDC_BORDER_COLOR);
        sampleWithout = Visible(p, IDC_BORDER_SAMPLE2);
        Press(hwnd, PSBTN_CANCEL);
    });
    EXPECT_FALSE(borderColourAtStart);
    EXPECT_TRUE(sampleShownAtStart);
    EXPECT_TRUE(borderColourOwn);
    EXPECT_EQ(ownColour.brush, 0x00AA00u);
    EXPECT_FALSE(useFontColorWithoutBorder);
    EXPECT_FALSE(borderColourWithoutBorder);
    EXPECT_FALSE(sampleWithout);
    EXPECT_FALSE(RegValueExists(kOptions, "Border"));  // Cancel writes nothing
}
