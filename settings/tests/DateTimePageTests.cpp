// The Date and time page in a sheet, against a private registry.
#include <gtest/gtest.h>

#include "framework/DataExchange.h"
#include "settings/DateTimePage.h"
#include "settings/DateTimePageRes.h"
#include "settings/tests/PageTestSupport.h"
#include "store/ClockOptions.h"

using namespace tembra;
using namespace tembra::test;

namespace {
const std::string kOptions = reg::kOptionsKey;

DWORD Stored(const char* name) { return StoredNumber(kOptions, name); }

// Selects a list item as the user does: the list tells its page.
void Select(HWND page, int id, int index) {
    SendDlgItemMessageA(page, id, CB_SETCURSEL, index, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
}  // namespace

TEST(DateTimePage, FlagsByTheirLowestBitListsKeepNoSelection) {
    ScopedRegistrySandbox sandbox;
    RegWriteDword(kOptions, "12-Hours", 2);  // even: 24 hours, as the clock reads it
    RegWriteDword(kOptions, "Date format", 5);  // past the list: no selection
    RegWriteDword(kOptions, "Date separator", 2);
    StandInClock clock;
    CTCDateTimeDlg page;
    PageSheet sheet({&page});
    int radio = -2, format = -2;
    std::string atStart, twelve, slash;
    sheet.Run([&](HWND hwnd) {
        HWND p = page.hwnd();
        radio = GetRadioIndex(p, IDC_24_HOURS, IDC_12_HOURS);
        format = GetComboSelection(p, IDC_DATE_FORMAT);
        atStart = GetItemText(p, IDC_PREVIEW_LINE);
        Click(p, IDC_12_HOURS);
        twelve = GetItemText(p, IDC_PREVIEW_LINE);
        Select(p, IDC_DATE_SEPARATOR, 1);
        slash = GetItemText(p, IDC_PREVIEW_LINE);
        RegWriteDword(kOptions, "Use regional settings", 1);  // the clock closing meanwhile
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_EQ(radio, 0);
    EXPECT_EQ(format, -1);
    EXPECT_EQ(atStart, "01-01-1980 12:30:30");  // no selection: month first, and 24 hours
    EXPECT_EQ(twelve, "01-01-1980 12:30:30 PM");
    EXPECT_EQ(slash, "01/01/1980 12:30:30 PM");
    // Only what the user changed is written: the list left without a selection and the
    // value another program wrote meanwhile stay as stored.
    EXPECT_EQ(Stored("Date format"), 5u);
    EXPECT_EQ(Stored("Date separator"), 1u);
    EXPECT_EQ(Stored("12-Hours"), 1u);
    EXPECT_EQ(Stored("Use regional settings"), 1u);
    EXPECT_EQ(clock.OptionReloads(), 1);
}

TEST(DateTimePage, RegionalSwitchesDisableTheirControls) {
    ScopedRegistrySandbox sandbox;
    RegWriteDword(kOptions, "Use regional settings", 3);  // odd: on
    CTCDateTimeDlg page;
    PageSheet sheet({&page});
    bool formatAtStart = true, labelAtStart = true, radioAtStart = false, radioAfter = true;
    sheet.Run([&](HWND hwnd) {
        HWND p = page.hwnd();
        formatAtStart = Enabled(p, IDC_DATE_FORMAT);
        labelAtStart = Enabled(p, IDC_SEPARATOR_LABEL);
        radioAtStart = Enabled(p, IDC_12_HOURS);
        Click(p, IDC_USE_TIME_REGIONAL);
        radioAfter = Enabled(p, IDC_24_HOURS);
        Press(hwnd, PSBTN_APPLYNOW);
        WaitUntil([] { return Stored("Use time regional settings") == 1; }, 5000);
        Press(hwnd, PSBTN_CANCEL);
    });
    EXPECT_FALSE(formatAtStart);
    EXPECT_FALSE(labelAtStart);
    EXPECT_TRUE(radioAtStart);
    EXPECT_FALSE(radioAfter);
    EXPECT_EQ(Stored("Use regional settings"), 3u);  // not changed here: left as stored
    EXPECT_EQ(Stored("Use time regional settings"), 1u);
}
