#include <gtest/gtest.h>

#include <thread>

#include <windows.h>
#include <commctrl.h>

#include "store/LocaleText.h"
#include "clock/tests/ClockTestSupport.h"
#include "framework/ModulePath.h"
#include "store/EventStore.h"
#include "store/OptionsStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {

const std::string kOptions = reg::kOptionsKey;

struct CountingObserver : TickObserver {
    std::vector<std::string> texts;
    void OnClockTextChanged(const std::string& text) override { texts.push_back(text); }
};

class ClockWindowTest : public ::testing::Test {
protected:
    ScopedRegistrySandbox sandbox;
    FakeClockTime time{CivilTime{2026, 12, 6, 14, 5, 9, 0}};
    std::unique_ptr<ClockWindow> clock;

    void Start() {
        clock = StartClock();
        ASSERT_TRUE(clock);
    }
    SIZE TextExtent(const std::string& text) {
        HDC dc = GetDC(clock->hwnd());
        HFONT font = CreateFontA(clock->options().FontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0,
                                 0, 0, clock->options().FontName);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(clock->hwnd(), dc);
        return size;
    }
};

}  // namespace

TEST_F(ClockWindowTest, StartsBorderlessOnTopWithoutTaskbarButton) {
    Start();
    HWND hwnd = clock->hwnd();
    char className[32];
    GetClassNameA(hwnd, className, sizeof className);
    EXPECT_STREQ(className, "zmrClock");
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION, 0);
    LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_NE(clock->tooltip(), nullptr);
    EXPECT_FALSE(clock->options().AutoStart);
}

TEST_F(ClockWindowTest, ShowsTheDefaultTextAndSizesToIt) {
    Start();
    EXPECT_EQ(clock->clockText(), "06.12.2026 14:05");
    SIZE extent = TextExtent(clock->clockText());
    RECT rc;
    GetWindowRect(clock->hwnd(), &rc);
    EXPECT_EQ(rc.right - rc.left, extent.cx + 4);
    EXPECT_EQ(rc.bottom - rc.top, extent.cy + 4);
}

TEST_F(ClockWindowTest, ReloadMessageAppliesChangedOptions) {
    Start();
    RECT before;
    GetWindowRect(clock->hwnd(), &before);
    RegWriteDword(kOptions, "Seconds", 1);
    RegWriteDword(kOptions, "RemoveFromAltTab", 0);
    SendMessageA(clock->hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    EXPECT_EQ(clock->clockText(), "06.12.2026 14:05:09");
    RECT after;
    GetWindowRect(clock->hwnd(), &after);
    EXPECT_EQ(after.right - after.left, TextExtent(clock->clockText()).cx + 4);
    EXPECT_GT(after.right - after.left, before.right - before.left);
    LONG ex = GetWindowLongA(clock->hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_APPWINDOW);
    EXPECT_FALSE(ex & WS_EX_TOOLWINDOW);
}

TEST_F(ClockWindowTest, OneRedrawPerSecondAndTimeChangesFollowed) {
    RegWriteDword(kOptions, "Seconds", 1);
    Start();
    CountingObserver observer;
    clock->SetTickObserver(&observer);
    Tick(*clock);
    Tick(*clock);
    EXPECT_TRUE(observer.texts.empty());  // still the start-up second
    time.AddSeconds(1);
    Tick(*clock);
    Tick(*clock);
    EXPECT_EQ(observer.texts, std::vector<std::string>{"06.12.2026 14:05:10"});

    time.AddSeconds(-3600);  // local time goes back an hour, with no WM_TIMECHANGE
    Tick(*clock);
    ASSERT_EQ(observer.texts.size(), 2u);
    EXPECT_EQ(observer.texts.back(), "06.12.2026 13:05:10");
}

TEST_F(ClockWindowTest, FirstTickOfANewDayReloadsTodaysEvents) {
    time.Set(CivilTime{2026, 12, 6, 23, 59, 59, 0});
    EventRecord tomorrow;
    tomorrow.Name = "tomorrow";
    tomorrow.FreqDetail0 = DayNumberOf(2026, 12, 7);
    tomorrow.Time = 0.5;
    AppendEvent(tomorrow);
    Start();
    EXPECT_TRUE(clock->dayList().empty());
    time.AddSeconds(2);
    Tick(*clock);
    ASSERT_EQ(clock->dayList().size(), 1u);
    EXPECT_EQ(clock->dayList()[0]->Name, "tomorrow");
}

TEST_F(ClockWindowTest, ReloadEventsMessageFillsTheDayList) {
    Start();
    EventRecord later;
    later.Name = "later";
    later.FreqDetail0 = DayNumberOf(2026, 12, 6);
    later.Time = 0.9;
    AppendEvent(later);
    EXPECT_TRUE(clock->dayList().empty());
    SendMessageA(clock->hwnd(), WM_CLOCK_RELOADEVENTS, 0, 0);
    EXPECT_EQ(clock->dayList().size(), 1u);
}

TEST_F(ClockWindowTest, TooltipAsksForTheHoverText) {
    Start();
    time.AddSeconds(60);
    Tick(*clock);
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = clock->tooltip();
    info.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(clock->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "Tembra Clock: 星期日, 06 十二月 2026, 14:06");

    // Another program's notification is no address of ours. Wine (like 64-bit Windows) swallows
    // a fault in a message sent from another thread, so the fault itself is watched for.
    AccessViolationWatch watch;
    std::atomic<bool> sent{false};
    std::thread other([&sent, window = clock->hwnd()] {
        SendMessageA(window, WM_NOTIFY, 0, 1);
        sent = true;
    });
    WaitUntil([&] { return sent.load(); }, 5000);
    other.join();
    EXPECT_EQ(watch.count(), 0);
    EXPECT_TRUE(IsWindow(clock->hwnd()));
}

TEST_F(ClockWindowTest, CloseWritesEveryOptionAndEndSessionOnlyTheLastRun) {
    Start();
    RegDeleteTreeAt(kOptions);
    SendMessageA(clock->hwnd(), WM_ENDSESSION, FALSE, 0);  // the log-off was cancelled
    EXPECT_TRUE(IsWindow(clock->hwnd()));
    SendMessageA(clock->hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(clock->hwnd()));
    EXPECT_EQ(RegValueNames(kOptions), std::vector<std::string>{"LastRun"});

    Start();
    RegDeleteTreeAt(kOptions);
    SendMessageA(clock->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(clock->hwnd()));
    EXPECT_EQ(RegValueNames(kOptions).size(), 28u);  // and "LastRun"
    PumpMessages(10);  // drain the quit message posted by WM_DESTROY
}

TEST_F(ClockWindowTest, RunValueIsRepointedButNeverCreated) {
    Start();
    clock.reset();
    EXPECT_FALSE(RegValueExists(reg::kRunKey, "zmrClock"));

    RegWriteString(reg::kRunKey, "zmrClock", "C:\\Old Place\\TembraClock.exe");
    Start();
    std::string value;
    ASSERT_TRUE(RegReadString(reg::kRunKey, "zmrClock", &value));
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    EXPECT_EQ(value, self);
}

namespace {
// What a program in a folder of MAX_PATH characters or more gets for its own path.
std::string NoProgramPath() { return std::string(); }
}  // namespace

TEST_F(ClockWindowTest, WithoutItsOwnPathTheClockKeepsTheRunValueAndStartsNoSibling) {
    const ProgramPathSource previous = SetProgramPathSource(NoProgramPath);
    RecordingSystem system;
    RegWriteString(reg::kRunKey, "zmrClock", "C:\\Old Place\\TembraClock.exe");
    Start();
    std::string value;
    EXPECT_TRUE(RegReadString(reg::kRunKey, "zmrClock", &value));
    EXPECT_EQ(value, "C:\\Old Place\\TembraClock.exe");
    for (UINT command : {1u, 14u, 18u, 16u}) clock->RunCommand(command);
    EXPECT_EQ(system.calls, std::vector<std::string>{"start|control.exe|timedate.cpl|"});
    SetProgramPathSource(previous);
}

TEST(LocaleTexts, FollowTheUsersRegionalSettings) {
    // The test session runs with the Chinese (PRC) locale.
    SystemLocaleTexts locale;
    CivilTime t{2026, 12, 6, 14, 5, 9, 0};
    EXPECT_EQ(locale.DateOnly(t), "2026/12/6");
    EXPECT_EQ(locale.TimeOnly(t), "14:05:09");
    EXPECT_EQ(locale.DateAndTime(t), "2026/12/6 14:05:09");
}
