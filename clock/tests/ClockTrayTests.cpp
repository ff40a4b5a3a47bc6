// The popup menu, its commands and tray mode, in-process under the headless driver (where
// the notification area refuses icons: the clock must carry on regardless).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "clock/PopupMenu.h"
#include "clock/tests/FaceTestSupport.h"
#include "framework/ModulePath.h"

using namespace tembra;
using namespace tembra::test;

namespace {

struct Item {
    UINT id = 0;
    std::string text;
    bool checked = false;
    bool separator = false;
    HMENU submenu = nullptr;
};

Item ReadItem(HMENU menu, int index) {
    char text[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    Item item;
    if (!GetMenuItemInfoA(menu, index, TRUE, &info)) return item;
    item.id = info.wID;
    item.text = text;
    item.checked = (info.fState & MFS_CHECKED) != 0;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    item.submenu = info.hSubMenu;
    return item;
}

// "id:text" per item, "-" for a separator, ">text" for a submenu, "*" for a check mark.
std::vector<std::string> Describe(HMENU menu) {
    std::vector<std::string> out;
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        Item it = ReadItem(menu, i);
        if (it.separator)
            out.push_back("-");
        else if (it.submenu)
            out.push_back(">" + it.text);
        else
            out.push_back(std::to_string(it.id) + ":" + it.text + (it.checked ? "*" : ""));
    }
    return out;
}

const std::vector<std::string> kTail{"-",
                                     "16:通过控制面板调整时间(&T)...",
                                     "18:通过 Internet 调整时间(&T)...",
                                     "-",
                                     "10:隐藏到托盘(&H)",
                                     "-",
                                     "17:关于 Tembra Clock(&A)",
                                     "2:退出(&X)"};

std::vector<std::string> WithTail(std::vector<std::string> head) {
    head.insert(head.end(), kTail.begin(), kTail.end());
    return head;
}

class TrayTest : public FaceTest {
protected:
    RecordingSystem system;

    std::vector<std::string> MenuNow(HWND* settings = nullptr) {
        UniqueMenu menu(clock->BuildPopupMenu(settings));
        return Describe(menu.get());
    }
    std::vector<std::string> SubmenuNow() {
        UniqueMenu menu(clock->BuildPopupMenu(nullptr));
        HMENU sub = GetSubMenu(menu.get(), 0);
        return sub ? Describe(sub) : std::vector<std::string>{};
    }
    static std::string Beside(const char* exe) {
        return DirectoryOf(ProgramPath()) + "\\" + exe;
    }
};

}  // namespace

// --- menu shapes

TEST_F(TrayTest, WithNothingOpenTheMenuHoldsTheOptionsSubmenuAndTheSettingsCommands) {
    Set("Transparent", 0);
    Set("Seconds", 1);
    Set("NoMove", 1);
    Set("Border", 1);
    Set("TopMost", 0);
    Start();
    HWND settings = reinterpret_cast<HWND>(1);
    EXPECT_EQ(MenuNow(&settings), WithTail({">时钟选项(&O)", "1:参数设置(&P)...", "-",
                                            "14:新建事件(&N)...", "15:显示事件列表(&S)..."}));
    EXPECT_EQ(settings, nullptr);
    EXPECT_EQ(SubmenuNow(),
              (std::vector<std::string>{"3:显示日期(&D)*", "4:显示秒(&S)*", "5:透明背景(&T)",
                                        "6:总在最上(&M)", "7:使用字体颜色 2(&F)",
                                        "12:&12 小时模式", "11:显示前导零(&Z)*",
                                        "9:锁定位置(&L)*", "8:边框*"}));
}

TEST_F(TrayTest, TransparentModeHasNoFrameItem) {
    Set("Transparent", 1);
    Start();
    std::vector<std::string> sub = SubmenuNow();
    ASSERT_EQ(sub.size(), 8u);
    EXPECT_EQ(sub[2], "5:透明背景(&T)*");
    EXPECT_EQ(sub.back(), "9:锁定位置(&L)");
}

TEST_F(TrayTest, OpenSettingsSheetLeavesTheSwitchFirstAndNoOptions) {
    Start();
    DummyTopLevel sheet("Tembra Clock 设置");
    DummyTopLevel editor("Tembra Clock - 新建事件");
    HWND found = nullptr;
    EXPECT_EQ(MenuNow(&found), WithTail({"13:切换到参数设置(&S)"}));
    EXPECT_EQ(found, sheet.get());
}

TEST_F(TrayTest, OpenNewEventDialogAloneNamesItsSwitch) {
    Start();
    DummyTopLevel editor("Tembra Clock - 新建事件");
    HWND found = nullptr;
    EXPECT_EQ(MenuNow(&found), WithTail({"13:切换到新建事件选项(&S)"}));
    EXPECT_EQ(found, editor.get());
}

TEST_F(TrayTest, TrayModeMenuHasNoSubmenuAndOffersToShowTheClock) {
    Set("TrayMode", 1);
    Start();
    std::vector<std::string> expected{"1:参数设置(&P)...", "-", "14:新建事件(&N)...",
                                      "15:显示事件列表(&S)..."};
    std::vector<std::string> tail = kTail;
    tail[4] = "10:显示时钟(&H)";
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(MenuNow(), expected);
}

// --- toggles: each writes its one value and changes the window

TEST_F(TrayTest, TextTogglesWriteTheirValueAndRebuildTheText) {
    Set("Transparent", 0);
    Start();
    struct Case {
        UINT command;
        const char* name;
        DWORD written;
        const char* text;
    };
    const Case cases[] = {
        {3, "Date", 0, "14:05"},
        {4, "Seconds", 1, "14:05:09"},
        {12, "12-Hours", 1, "02:05:09 PM"},
        {11, "LeadingZero", 0, "2:05:09 PM"},
    };
    for (const Case& c : cases) {
        ForgetStoredOptions();
        clock->RunCommand(c.command);
        EXPECT_EQ(StoredNames(), std::vector<std::string>{c.name}) << c.name;
        EXPECT_EQ(Stored(c.name), c.written) << c.name;
        EXPECT_EQ(clock->clockText(), c.text) << c.name;
        EXPECT_EQ(WindowSize().cx, TextExtent(c.text).cx + 4) << c.name;
    }
}

TEST_F(TrayTest, TransparentAndFrameTogglesResizeAndReshape) {
    Set("Transparent", 0);
    Set("Border", 1);
    Set("UseFontColor", 1);
    Set("FontColor", RGB(255, 0, 0));
    Set("BackgroundColor", RGB(0, 255, 0));
    Start();
    const SIZE extent = TextExtent(clock->clockText());

    ForgetStoredOptions();
    clock->RunCommand(8);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"Border"});
    EXPECT_EQ(Stored("Border"), 0u);
    EXPECT_EQ(PixelAt(0, 0), RGB(0, 255, 0));  // frame gone
    clock->RunCommand(8);
    EXPECT_EQ(PixelAt(0, 0), RGB(255, 0, 0));

    ForgetStoredOptions();
    clock->RunCommand(5);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"Transparent"});
    EXPECT_EQ(Stored("Transparent"), 1u);
    EXPECT_EQ(WindowSize().cx, extent.cx);
    EXPECT_EQ(WindowSize().cy, extent.cy);
    EXPECT_TRUE(HasWindowRegion());
    clock->RunCommand(5);
    EXPECT_EQ(Stored("Transparent"), 0u);
    EXPECT_EQ(WindowSize().cx, extent.cx + 4);
    EXPECT_FALSE(HasWindowRegion());
}

TEST_F(TrayTest, TopMostColourAndNoMoveToggles) {
    Set("Transparent", 0);
    Set("Border", 0);
    Set("FontColor", RGB(255, 0, 0));
    Set("FontColor2", RGB(0, 0, 255));
    Set("BackgroundColor", RGB(0, 255, 0));
    Start();
    ASSERT_TRUE(GetWindowLongA(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    ForgetStoredOptions();
    clock->RunCommand(6);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"TopMost"});
    EXPECT_EQ(Stored("TopMost"), 0u);
    EXPECT_FALSE(GetWindowLongA(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    clock->RunCommand(6);
    EXPECT_EQ(Stored("TopMost"), 1u);
    EXPECT_TRUE(GetWindowLongA(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Colour set 2: the text takes FontColor2 at once.
    auto hasTextColour = [&](COLORREF c) {
        for (int y = 0; y < clock->height(); ++y)
            for (int x = 0; x < clock->width(); ++x)
                if (PixelAt(x, y) == c) return true;
        return false;
    };
    EXPECT_TRUE(hasTextColour(RGB(255, 0, 0)));
    ForgetStoredOptions();
    clock->RunCommand(7);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"Color2"});
    EXPECT_EQ(Stored("Color2"), 1u);
    EXPECT_TRUE(hasTextColour(RGB(0, 0, 255)));
    EXPECT_FALSE(hasTextColour(RGB(255, 0, 0)));

    ForgetStoredOptions();
    clock->RunCommand(9);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"NoMove"});
    EXPECT_EQ(Stored("NoMove"), 1u);
    const RECT before = WindowRect();
    SendMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SetCursorPos(before.left + 200, before.top + 100);
    SendMessageA(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(WindowRect().left, before.left);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"NoMove"});
}

// --- program starts

TEST_F(TrayTest, CommandsStartTheRightProgramWithTheRightParameter) {
    Start();
    for (UINT command : {1u, 14u, 15u, 17u, 18u, 16u}) clock->RunCommand(command);
    EXPECT_EQ(system.calls, (std::vector<std::string>{
                                "start|" + Beside("TCSets.exe") + "||",
                                "start|" + Beside("TCSets.exe") + "|n|",
                                "start|" + Beside("TCSets.exe") + "|1|",
                                "start|" + Beside("TCSets.exe") + "|a|",
                                "start|" + Beside("Chronet.exe") + "||",
                                "start|control.exe|timedate.cpl|",
                            }));
}

TEST_F(TrayTest, AFailedStartIsSilent) {
    system.startResult = false;
    Start();
    clock->RunCommand(1);
    EXPECT_EQ(system.calls.size(), 1u);
    EXPECT_TRUE(IsWindow(hwnd()));
}

TEST_F(TrayTest, SwitchCommandBringsTheSettingsWindowForward) {
    Start();
    DummyTopLevel sheet("Tembra Clock 设置", true);
    SetForegroundWindow(hwnd());
    clock->RunCommand(13);
    EXPECT_EQ(GetForegroundWindow(), sheet.get());
    EXPECT_TRUE(system.calls.empty());
}

TEST_F(TrayTest, ExitCommandClosesTheClockThroughTheClosePath) {
    Start();
    ForgetStoredOptions();
    clock->RunCommand(2);
    EXPECT_TRUE(IsWindow(hwnd()));  // posted, not yet handled
    PumpMessages(50);
    EXPECT_FALSE(IsWindow(hwnd()));
    EXPECT_EQ(StoredNames().size(), 28u);  // and "LastRun"
}

// --- tray mode

TEST_F(TrayTest, TrayToggleHidesTheWindowAndDoubleClickOnTheIconBringsItBack) {
    Start();
    ASSERT_TRUE(IsWindowVisible(hwnd()));
    ForgetStoredOptions();
    clock->RunCommand(10);  // the headless shell refuses the icon: no harm
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"TrayMode"});
    EXPECT_EQ(Stored("TrayMode"), 1u);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(clock->trayIconShown());

    // Hidden, the clock keeps its text but draws nothing.
    time.AddSeconds(60);
    Tick(*clock);
    EXPECT_EQ(clock->clockText(), "06.12.2026 14:06");

    // Another program's double-click: it cannot know this run's icon id.
    for (WPARAM forged : {WPARAM{1}, WPARAM{clock->trayIconId() + 1}}) {
        SendMessageA(hwnd(), WM_CLOCK_TRAYNOTIFY, forged, WM_LBUTTONDBLCLK);
        EXPECT_FALSE(IsWindowVisible(hwnd())) << forged;
    }
    ForgetStoredOptions();
    SendMessageA(hwnd(), WM_CLOCK_TRAYNOTIFY, clock->trayIconId(), WM_LBUTTONDBLCLK);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"TrayMode"});
    EXPECT_EQ(Stored("TrayMode"), 0u);
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_FALSE(clock->trayIconShown());
    EXPECT_EQ(WindowSize().cx, TextExtent("06.12.2026 14:06").cx + 4);

    clock->RunCommand(10);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
}

TEST_F(TrayTest, StartsInTrayModeAndLeavesItOnWhenClosed) {
    Set("TrayMode", 1);
    Start();
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(clock->trayIconShown());
    // The other notifications do nothing visible.
    SendMessageA(hwnd(), WM_CLOCK_TRAYNOTIFY, clock->trayIconId(), WM_MOUSEMOVE);
    SendMessageA(hwnd(), WM_CLOCK_TRAYNOTIFY, clock->trayIconId(), WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    SendMessageA(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd()));
    EXPECT_EQ(Stored("TrayMode"), 1u);
    PumpMessages(10);
}

TEST_F(TrayTest, LeavingTrayModeKeepsTheClockOnTop) {
    Set("TrayMode", 1);
    Set("TopMost", 1);
    Start();
    SendMessageA(hwnd(), WM_CLOCK_TRAYNOTIFY, clock->trayIconId(), WM_LBUTTONDBLCLK);
    ASSERT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(GetWindowLongA(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    clock->RunCommand(10);
    clock->RunCommand(10);
    EXPECT_TRUE(GetWindowLongA(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(TrayTest, TaskbarCreatedOutsideTrayModeAddsNoIcon) {
    Start();
    SendMessageA(hwnd(), TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(clock->trayIconShown());
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    Set("TrayMode", 1);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    SendMessageA(hwnd(), TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(clock->trayIconShown());
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    // A reload back out of tray mode removes the icon and shows the clock.
    Set("TrayMode", 0);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    EXPECT_FALSE(clock->trayIconShown());
    EXPECT_TRUE(IsWindowVisible(hwnd()));
}

// --- showing the menu

namespace {

// Waits on another thread for the menu window, notes who is in the foreground, then sends
// the keys (or closes the menu when there are none).
class MenuDriver {
public:
    explicit MenuDriver(std::vector<WPARAM> keys) {
        thread_ = std::thread([this, keys] {
            HWND menu = nullptr;
            for (int i = 0; i < 250 && !menu; ++i) {
                // A shown menu of this process: another test's menu is none of ours.
                menu = FindProcessWindow(GetCurrentProcessId(), "#32768", "");
                if (!menu) Sleep(20);
            }
            seen_ = menu != nullptr;
            foreground_ = GetForegroundWindow();
            if (!menu) return;
            for (WPARAM key : keys) PostMessageA(menu, WM_KEYDOWN, key, 0);
            if (keys.empty()) PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        });
    }
    ~MenuDriver() { Join(); }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    bool seen() const { return seen_; }
    HWND foreground() const { return foreground_; }

private:
    std::thread thread_;
    std::atomic<bool> seen_{false};
    std::atomic<HWND> foreground_{nullptr};
};

}  // namespace

TEST_F(TrayTest, MenuFromTheIconMakesTheClockForegroundAndRunsTheChosenCommand) {
    Set("TrayMode", 1);
    Start();
    DummyTopLevel other("someone else", true);
    SetForegroundWindow(other.get());
    {
        // First item in tray mode: "参数设置(&P)..." (command 1).
        MenuDriver driver({VK_DOWN, VK_RETURN});
        SendMessageA(hwnd(), WM_CLOCK_TRAYNOTIFY, clock->trayIconId(), WM_RBUTTONDOWN);
        driver.Join();
        ASSERT_TRUE(driver.seen());
        // Only the foreground window's menu closes when the user clicks elsewhere.
        EXPECT_EQ(driver.foreground(), hwnd());
    }
    EXPECT_EQ(system.calls, std::vector<std::string>{"start|" + Beside("TCSets.exe") + "||"});
}

TEST_F(TrayTest, MenuOnTheClockClosedWithoutAChoiceRunsNothing) {
    Start();
    ForgetStoredOptions();
    MenuDriver driver({});
    SendMessageA(hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    driver.Join();
    EXPECT_TRUE(driver.seen());
    EXPECT_TRUE(system.calls.empty());
    EXPECT_TRUE(StoredNames().empty());
    EXPECT_TRUE(IsWindowVisible(hwnd()));
}

// The real start, not the recorder: neither program lies beside this test program. Without
// SEE_MASK_FLAG_NO_UI the shell would show a modal error box here and the test would hang.
using RealStartTest = FaceTest;

TEST_F(RealStartTest, AMissingProgramFailsSilentlyWithoutAnErrorBox) {
    Start();
    const DWORD before = GetTickCount();
    clock->RunCommand(1);
    clock->RunCommand(18);
    EXPECT_LT(GetTickCount() - before, 5000u);
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    // No message box of this process (another test's dialogs may be open meanwhile).
    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId(), "#32770", nullptr), nullptr);
}
