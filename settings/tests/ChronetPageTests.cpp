// The Internet time page in a sheet, against a private registry.
#include <gtest/gtest.h>

#include "framework/DataExchange.h"
#include "settings/ChronetPage.h"
#include "settings/ChronetPageRes.h"
#include "settings/tests/PageTestSupport.h"
#include "store/InternetTimeOptions.h"

using namespace tembra;
using namespace tembra::test;

namespace {
const std::string kInet = inet::kKey;

DWORD Stored(const char* name) { return StoredNumber(kInet, name); }

struct Shown {
    bool tray = true, adjust = true;
    std::string servers;
    LRESULT limit = 0;
};
Shown ShownOn(HWND page) {
    Shown s;
    s.tray = Checked(page, IDC_INET_TRAY_MODE);
    s.adjust = Checked(page, IDC_INET_AUTO_ADJUST);
    s.servers = GetItemText(page, IDC_INET_SERVERS_NUM);
    s.limit = SendDlgItemMessageA(page, IDC_INET_SERVERS_NUM, EM_GETLIMITTEXT, 0, 0);
    return s;
}
}  // namespace

TEST(InternetPage, AFreshSystemShowsTheDefaultsAndOkWritesAllThree) {
    ScopedRegistrySandbox sandbox;
    CTCChronetDlg page;
    PageSheet sheet({&page});
    Shown shown;
    sheet.Run([&](HWND hwnd) {
        shown = ShownOn(page.hwnd());
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_FALSE(shown.tray);
    EXPECT_FALSE(shown.adjust);
    EXPECT_EQ(shown.servers, "3");
    EXPECT_EQ(shown.limit, 2);
    EXPECT_EQ(Stored("TrayMode"), 0u);
    EXPECT_EQ(Stored("AutoAdjustTime"), 0u);
    EXPECT_EQ(Stored("ServersNum"), 3u);
}

TEST(InternetPage, StoredValuesShowAndAZeroIsSavedAsThree) {
    ScopedRegistrySandbox sandbox;
    RegWriteDword(kInet, "TrayMode", 5);
    RegWriteDword(kInet, "ServersNum", 7);
    CTCChronetDlg page;
    PageSheet sheet({&page});
    Shown shown;
    sheet.Run([&](HWND hwnd) {
        shown = ShownOn(page.hwnd());
        SetItemText(page.hwnd(), IDC_INET_SERVERS_NUM, "00");
        Press(hwnd, PSBTN_APPLYNOW);
        WaitUntil([] { return Stored("ServersNum") == 3; }, 5000);
        SetItemText(page.hwnd(), IDC_INET_SERVERS_NUM, "12");
        Click(page.hwnd(), IDC_INET_AUTO_ADJUST);
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_TRUE(shown.tray);
    EXPECT_EQ(shown.servers, "7");
    EXPECT_EQ(Stored("TrayMode"), 1u);  // 5 written back as 1
    EXPECT_EQ(Stored("AutoAdjustTime"), 1u);
    EXPECT_EQ(Stored("ServersNum"), 12u);
}

TEST(InternetPage, TheEditTakesTwoDigitsEvenWhenTheKeyCannotBeOpened) {
    ScopedRegistrySandbox sandbox;
    ClosedKey closed(kInet);
    CTCChronetDlg page;
    PageSheet sheet({&page});
    Shown shown;
    sheet.Run([&](HWND hwnd) {
        shown = ShownOn(page.hwnd());
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_FALSE(RegKeyExists(kInet));  // the key really was closed to the page
    EXPECT_EQ(shown.limit, 2);
    EXPECT_EQ(shown.servers, "3");
}
