// End to end: the settings program's Internet time page decides how a plain start of the
// real Chronet shows itself. Chronet asks the loopback test servers only (its own folder's
// servers.lst), and only reports: nothing sets the clock.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <string>

#include "framework/testing/TestSupport.h"
#include "nettime/tests/TestServers.h"
#include "nettime/win/resource.h"
#include "settings/ChronetPageRes.h"
#include "store/InternetTimeOptions.h"
#include "store/SuiteContract.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr char kChronetTitle[] = "Tembra Internet Time";
constexpr int kInternetTimePageIndex = 3;

// A copy of Chronet in a folder of its own, beside a servers.lst naming the silent test
// server first (so a run lasts a while) and then a true one.
class ChronetInItsFolder {
public:
    ChronetInItsFolder() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir_ = std::string(temp) + "suite-chronet-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
        exe_ = dir_ + "\\" + kInternetTimeProgram;
        CopyFileA((BinDir() + "\\" + kInternetTimeProgram).c_str(), exe_.c_str(), FALSE);
        if (FILE* f = fopen((dir_ + "\\servers.lst").c_str(), "wb")) {
            fprintf(f, "%s\r\n%s\r\n", nettime::test::kSilent, nettime::test::kChronyTrue);
            fclose(f);
        }
    }
    ~ChronetInItsFolder() {
        process_.Kill();
        process_.WaitExit(5000);
        DeleteFileA(exe_.c_str());
        DeleteFileA((dir_ + "\\servers.lst").c_str());
        DeleteFileA(record().c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    ChronetInItsFolder(const ChronetInItsFolder&) = delete;
    ChronetInItsFolder& operator=(const ChronetInItsFolder&) = delete;

    // A plain start, as the clock's menu makes it; a clock setting would only be recorded.
    bool Start() { return process_.Start(exe_, "", {"TEMBRA_RECORD_SYSTEM_CALLS=" + record()}); }
    // Its log window, shown or not, once it has begun logging.
    HWND WaitForLogWindow() {
        HWND found = nullptr;
        WaitUntil([&] {
            found = FindWindowA("#32770", kChronetTitle);
            DWORD pid = 0;
            if (found) GetWindowThreadProcessId(found, &pid);
            return found && pid == process_.pid() && !Log(found).empty();
        }, 15000);
        return found;
    }
    // The log's text, asked of the edit itself (another program's edit keeps its text to
    // itself: GetWindowText from outside does not see it).
    static std::string Log(HWND window) {
        std::string text(64 * 1024, '\0');
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutA(GetDlgItem(window, IDC_LOG), WM_GETTEXT, text.size(),
                                 reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000,
                                 &length))
            return "";
        text.resize(length);
        return text;
    }
    ChildProcess& process() { return process_; }

private:
    std::string record() const { return dir_ + "\\calls.txt"; }
    std::string dir_, exe_;
    ChildProcess process_;
};

}  // namespace

TEST(SuiteChronet, TickingHideToTrayAndOkKeepsAPlainStartOfChronetInTheTray) {
    RegDeleteTreeAt("Software\\Tembra");
    ChildProcess settings;
    ASSERT_TRUE(settings.Start(BinDir() + "\\" + kSettingsProgram, ""));
    HWND sheet = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (sheet = FindProcessWindow(settings.pid(), "#32770", kSettingsSheetTitle)) != nullptr;
    }, 20000));
    PostMessageA(sheet, PSM_SETCURSEL, kInternetTimePageIndex, 0);
    HWND page = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page && SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) ==
                           kInternetTimePageIndex;
    }, 5000));
    HWND tray = GetDlgItem(page, IDC_INET_TRAY_MODE);
    ASSERT_EQ(SendMessageA(tray, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    PostMessageA(tray, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(tray, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(settings.WaitExit(10000));

    ChronetInItsFolder chronet;
    ASSERT_TRUE(chronet.Start());
    HWND log = chronet.WaitForLogWindow();
    ASSERT_NE(log, nullptr);
    // While the silent server is waited for, the run goes on in the tray.
    ASSERT_TRUE(WaitUntil([&] {
        return ChronetInItsFolder::Log(log).find(nettime::test::kSilent) != std::string::npos;
    }, 10000));
    PumpMessages(500);
    EXPECT_FALSE(IsWindowVisible(log));
    PostMessageA(log, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(chronet.process().WaitExit(15000));
    RegDeleteTreeAt("Software\\Tembra");
}
