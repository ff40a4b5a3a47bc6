// The notification icon under a real display: it exists while the window is hidden, also
// after the shell restarted, and is gone at exit.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "framework/testing/TestSupport.h"
#include "nettime/tests/ChronetTestSupport.h"
#include "nettime/tests/TestServers.h"
#include "nettime/win/Messages.h"
#include "nettime/win/TrayIcon.h"

namespace tembra::nettime::test {
namespace {

// NIM_MODIFY succeeds only for an icon that exists.
bool IconExists(HWND owner) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = owner;
    data.uID = CTrayIcon::kIconId;
    data.uFlags = NIF_TIP;
    strcpy(data.szTip, "probe");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

TEST(TrayIcon, RemovedWhenItsOwnerObjectGoes) {
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    {
        CTrayIcon icon;
        ASSERT_TRUE(icon.Add(owner, LoadIconA(nullptr, IDI_APPLICATION), "tip", WM_TRAYNOTIFY));
        EXPECT_TRUE(icon.shown());
        EXPECT_TRUE(IconExists(owner));
        icon.Remove();
        EXPECT_FALSE(IconExists(owner));
        icon.Remove();  // harmless
        ASSERT_TRUE(icon.Add(owner, LoadIconA(nullptr, IDI_APPLICATION), "tip", WM_TRAYNOTIFY));
    }
    EXPECT_FALSE(IconExists(owner));
    DestroyWindow(owner);
}

// Shell_NotifyIcon's deletion, as a restarting shell forgets every icon.
void ForgetIcon(HWND owner) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = owner;
    data.uID = CTrayIcon::kIconId;
    Shell_NotifyIconA(NIM_DELETE, &data);
}

TEST(TrayIcon, ThereExactlyWhileTheWindowIsHiddenAlsoAfterAShellRestart) {
    ChronetLaunch launch;
    launch.commandLine = "T1";
    launch.servers = std::vector<std::string>{kSilent};
    AppRun app(launch);
    ASSERT_TRUE(app.WaitDialog());
    const HWND dialog = app.dialog();
    ASSERT_TRUE(tembra::test::WaitUntil([&] { return IconExists(dialog); }, 5000));
    EXPECT_FALSE(IsWindowVisible(dialog));
    // The shell restarts and says so to every top-level window: the icon comes back.
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    ForgetIcon(dialog);
    SendMessageA(dialog, taskbarCreated, 0, 0);
    EXPECT_TRUE(IconExists(dialog));
    // Double-click brings the window back and takes the icon away, for good.
    SendMessageA(dialog, WM_TRAYNOTIFY, CTrayIcon::kIconId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(IconExists(dialog));
    SendMessageA(dialog, taskbarCreated, 0, 0);
    EXPECT_FALSE(IconExists(dialog));
    // Hide puts it back.
    SendMessageA(dialog, WM_COMMAND, 1000, 0);
    EXPECT_TRUE(IconExists(dialog));
    // The close box while hidden ends the program at once and removes the icon.
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitEnded(15000));
    EXPECT_FALSE(IconExists(dialog));
}

}  // namespace
}  // namespace tembra::nettime::test
