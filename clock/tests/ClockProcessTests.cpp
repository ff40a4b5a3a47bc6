// The real clock program, started as a user would start it and watched from outside.
#include <gtest/gtest.h>

#include "framework/testing/TestSupport.h"
#include "store/ClockOptions.h"

using namespace tembra;
using namespace tembra::test;

namespace {

const std::string kOptions = reg::kOptionsKey;

class ClockProcessTest : public ::testing::Test {
protected:
    ChildProcess clock;
    HWND window = nullptr;

    void SetUp() override {
        // Only clocks of this test prefix can be here: one of an earlier test on its way out,
        // or one that Wine started at boot from a Run value a test left behind.
        if (HWND stray = FindWindowA("zmrClock", nullptr)) SendMessageA(stray, WM_ENDSESSION, TRUE, 0);
        ASSERT_TRUE(WaitForNoWindow("zmrClock", 20000));
        RegDeleteTreeAt("Software\\Tembra");
        DeleteRunValue();
    }
    void TearDown() override {
        if (window && IsWindow(window)) SendMessageA(window, WM_ENDSESSION, TRUE, 0);
        if (!clock.WaitExit(10000)) clock.Kill();
        RegDeleteTreeAt("Software\\Tembra");
        DeleteRunValue();
    }
    static void DeleteRunValue() {
        HKEY run;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, reg::kRunKey, 0, KEY_ALL_ACCESS, &run) == 0) {
            RegDeleteValueA(run, "zmrClock");
            RegCloseKey(run);
        }
    }
    static std::string ClockExe() { return BinDir() + "\\TembraClock.exe"; }
    void StartClock() {
        ASSERT_TRUE(clock.Start(ClockExe(), ""));
        window = WaitForProcessWindow(clock.pid(), "zmrClock", 20000);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 15000));
    }
    SIZE WindowSize() {
        RECT rc;
        GetWindowRect(window, &rc);
        return SIZE{rc.right - rc.left, rc.bottom - rc.top};
    }
};

}  // namespace

TEST_F(ClockProcessTest, ASecondCopyLeavesAtOnceWithZero) {
    StartClock();
    ChildProcess second;
    ASSERT_TRUE(second.Start(ClockExe(), ""));
    DWORD code = 99;
    ASSERT_TRUE(second.WaitExit(30000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(IsWindow(window));
}

// Two starts at the same moment (the Run key and a shortcut at logon) leave one clock.
TEST_F(ClockProcessTest, TwoCopiesStartedAtOnceLeaveOneClock) {
    ChildProcess both[2];
    const int ended = StartTogetherUntilOneEnds(ClockExe(), both, 30000);
    ASSERT_NE(ended, -1) << "one of them ends";
    ChildProcess& running = both[1 - ended];
    window = WaitForProcessWindow(running.pid(), "zmrClock", 20000);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA("zmrClock", nullptr), window);
    EXPECT_EQ(FindWindowExA(nullptr, window, "zmrClock", nullptr), nullptr) << "no other clock";
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(running.WaitExit(30000));
}

TEST_F(ClockProcessTest, CloseWritesAllOptionsEndSessionOnlyTheLastRun) {
    StartClock();
    RegDeleteTreeAt(kOptions);
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    DWORD code = 99;
    ASSERT_TRUE(clock.WaitExit(30000, &code));
    EXPECT_EQ(code, 0u);
    // Only when it last ran, which the next start counts missed events from.
    EXPECT_EQ(RegValueNames(kOptions), std::vector<std::string>{"LastRun"});

    StartClock();
    SetWindowPos(window, nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RegDeleteTreeAt(kOptions);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(clock.WaitExit(30000, &code));
    EXPECT_EQ(RegValueNames(kOptions).size(), 28u);  // and "LastRun"
    DWORD left = 0, top = 0;
    RegReadDword(kOptions, "Left", &left);
    RegReadDword(kOptions, "Top", &top);
    EXPECT_EQ(left, 123u);
    EXPECT_EQ(top, 45u);
}

TEST_F(ClockProcessTest, ChangedOptionAndReloadMessageResizeTheWindow) {
    StartClock();
    SIZE before = WindowSize();
    RegWriteDword(kOptions, "Date", 0);
    SendMessageA(window, 3029, 0, 0);
    SIZE after = WindowSize();
    EXPECT_LT(after.cx, before.cx);
    EXPECT_EQ(after.cy, before.cy);
}

TEST_F(ClockProcessTest, StoredPositionIsUsedAndOffScreenFallsBack) {
    RegWriteDword(kOptions, "Left", 200);
    RegWriteDword(kOptions, "Top", 5000);
    StartClock();
    RECT rc;
    GetWindowRect(window, &rc);
    EXPECT_EQ(rc.left, 200);
    EXPECT_EQ(rc.top, 0);
}

TEST_F(ClockProcessTest, RunValuePointingElsewhereIsRewrittenNeverCreated) {
    StartClock();
    EXPECT_FALSE(RegValueExists(reg::kRunKey, "zmrClock"));
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    ASSERT_TRUE(clock.WaitExit(30000));

    RegWriteString(reg::kRunKey, "zmrClock", "C:\\Old Place\\TembraClock.exe");
    StartClock();
    // The window shows before the clock looks at the Run value, so give it that moment.
    std::string value;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return RegReadString(reg::kRunKey, "zmrClock", &value) &&
                   lstrcmpiA(value.c_str(), ClockExe().c_str()) == 0;
        },
        5000))
        << value;
}
