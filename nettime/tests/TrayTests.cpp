// The notification icon under a real display: it exists while hidden and is gone at exit.
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

TEST(TrayIcon, ProgramEndingWhileHiddenRemovesItsIcon) {
    ChronetLaunch launch;
    launch.commandLine = "T1";
    launch.servers = std::vector<std::string>{kSilent};
    AppRun app(launch);
    ASSERT_TRUE(app.WaitDialog());
    const HWND dialog = app.dialog();
    ASSERT_TRUE(tembra::test::WaitUntil([&] { return IconExists(dialog); }, 5000));
    EXPECT_FALSE(IsWindowVisible(dialog));
    // Double-click brings the window back and takes the icon away; Hide puts it back.
    SendMessageA(dialog, WM_TRAYNOTIFY, CTrayIcon::kIconId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(IconExists(dialog));
    SendMessageA(dialog, WM_COMMAND, 1000, 0);
    EXPECT_TRUE(IconExists(dialog));
    // The close box while hidden ends the program at once.
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitEnded(15000));
    EXPECT_FALSE(IconExists(dialog));
}

}  // namespace
}  // namespace tembra::nettime::test
