// The real Chronet.exe, started as the clock program starts it, against local servers on
// port 123: its window's text, its exit, and the clock setting (recorded, or real under
// Wine, which never moves the host clock and refuses any change of half a second or more).
#include <gtest/gtest.h>

#include <cstdio>

#include "framework/testing/TestSupport.h"
#include "nettime/tests/ChronetTestSupport.h"
#include "nettime/tests/TestServers.h"
#include "nettime/win/resource.h"

namespace tembra::nettime::test {
namespace {

using tembra::test::ChildProcess;
using tembra::test::FindProcessWindow;
using tembra::test::WaitUntil;

// A copy of the program in a folder of its own, beside its own "servers.lst".
class InstalledChronet {
public:
    explicit InstalledChronet(const std::string& serversLst) {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        static int counter = 0;
        dir_ = std::string(temp) + "chronet-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++counter);
        CreateDirectoryA(dir_.c_str(), nullptr);
        exe_ = dir_ + "\\Chronet.exe";
        CopyFileA((tembra::test::BinDir() + "\\Chronet.exe").c_str(), exe_.c_str(), FALSE);
        FILE* f = fopen((dir_ + "\\servers.lst").c_str(), "wb");
        fputs(serversLst.c_str(), f);
        fclose(f);
    }
    ~InstalledChronet() {
        process_.Kill();
        DeleteFileA(exe_.c_str());
        DeleteFileA((dir_ + "\\servers.lst").c_str());
        DeleteFileA(record().c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    bool Start(const std::string& args, bool recordClock = false) {
        std::vector<std::string> env;
        if (recordClock) env.push_back("TEMBRA_RECORD_SYSTEM_CALLS=" + record());
        return process_.Start(exe_, args, env);
    }
    HWND WaitDialog() {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                // This copy's log window, shown or not (tray mode hides it).
                found = FindProcessWindow(process_.pid(), "#32770", nullptr);
                return found && WindowText(found) == "Tembra Internet Time" &&
                       WindowText(GetDlgItem(found, IDC_LOG)).rfind("Initializing", 0) == 0;
            },
            10000);
        return found;
    }
    std::string record() const { return dir_ + "\\calls.txt"; }
    std::string Recorded() const {
        std::string text;
        if (FILE* f = fopen(record().c_str(), "rb")) {
            char buffer[512];
            size_t n;
            while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
            fclose(f);
        }
        return text;
    }
    ChildProcess& process() { return process_; }

private:
    std::string dir_, exe_;
    ChildProcess process_;
};

std::string EditOf(HWND dialog) { return WindowText(GetDlgItem(dialog, IDC_LOG)); }

bool WaitEditContains(HWND dialog, const std::string& text, DWORD timeoutMs) {
    return WaitUntil([&] { return EditOf(dialog).find(text) != std::string::npos; }, timeoutMs);
}

std::string Connecting(const char* host) { return std::string("Connecting to '") + host + "' ..."; }

TEST(ChronetProgram, ReportOnlyAgainstTrueShiftedAndSilentServers) {
    InstalledChronet chronet(std::string("# local servers\r\n") + kChronyTrue + "\r\n" +
                             kChronyShifted + "\r\n" + kSilent + "\r\n");
    ASSERT_TRUE(chronet.Start("3"));
    HWND dialog = chronet.WaitDialog();
    ASSERT_TRUE(dialog);
    // The log is written while the dialog is made; it is shown just after.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000));
    // While the silent server is waited for, the window shows the whole log so far.
    ASSERT_TRUE(WaitEditContains(dialog, Connecting(kSilent), 10000));
    const auto lines = SplitLines(EditOf(dialog));
    ASSERT_GE(lines.size(), 22u);
    EXPECT_EQ(lines[0], "Initializing...");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], Connecting(kChronyTrue));
    EXPECT_EQ(lines[3], "Time was successfully retreived from NTP server");
    EXPECT_EQ(lines[4], "                            DD/MM/YYYY  HH:MM:SS.MS");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6].rfind("Client Originate Date was   ", 0), 0u);
    EXPECT_EQ(lines[9].rfind("Client Destination Date was ", 0), 0u);
    EXPECT_EQ(lines[10].rfind("Round trip delay was 0.0", 0), 0u) << lines[10];
    EXPECT_EQ(lines[11].rfind("Local clock offset was ", 0), 0u);
    EXPECT_EQ(lines[12], Connecting(kChronyShifted));
    EXPECT_EQ(lines[21].rfind("Local clock offset was 1234.5", 0), 0u) << lines[21];
    EXPECT_EQ(lines[22], Connecting(kSilent));
    ASSERT_TRUE(WaitEditContains(dialog, "=====", 10000));
    // 0 and 1234.567 s average to 617.284 s.
    EXPECT_NEAR(SummaryOffset(EditOf(dialog)), 617.284, 0.02) << EditOf(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog));
    // The text is set first; the button goes an instant later.
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(GetDlgItem(dialog, IDC_HIDE)); }, 5000));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    DWORD code = 99;
    ASSERT_TRUE(chronet.process().WaitExit(5000, &code));
    EXPECT_EQ(code, 0u);
}

TEST(ChronetProgram, AutoAdjustAgainstTrueTimeSetsTheClockAndExits) {
    InstalledChronet chronet(std::string(kChronyTrue) + "\r\n" + kTrue + "\r\n");
    ASSERT_TRUE(chronet.Start("A2", true));
    DWORD code = 99;
    ASSERT_TRUE(chronet.process().WaitExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(chronet.Recorded().rfind("setclock|", 0), 0u) << chronet.Recorded();
}

TEST(ChronetProgram, ClockRefusedForWantOfRightsSaysSoAndOffersARunAsAdministrator) {
    // The real setting: Wine refuses to move the clock by 1234 s with error 1314.
    InstalledChronet chronet(std::string(kChronyShifted) + "\r\n");
    ASSERT_TRUE(chronet.Start("A1"));
    HWND dialog = chronet.WaitDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitEditContains(dialog, "=====", 10000));
    const std::string shown = EditOf(dialog);
    EXPECT_EQ(SplitLines(shown).at(1), "Administrator rights are needed to set the clock") << shown;
    EXPECT_FALSE(chronet.process().WaitExit(300));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(GetDlgItem(dialog, IDC_RUN_AS_ADMIN)) != FALSE; }, 5000));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(chronet.process().WaitExit(5000));
}

TEST(ChronetProgram, CancelDuringASilentServerEndsWithinTheReplyWait) {
    InstalledChronet chronet(std::string(kSilent) + "\r\n" + kChronyTrue + "\r\n");
    ASSERT_TRUE(chronet.Start("2"));
    HWND dialog = chronet.WaitDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitEditContains(dialog, Connecting(kSilent), 5000));
    const DWORD start = GetTickCount();
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(chronet.process().WaitExit(12000));
    EXPECT_LT(GetTickCount() - start, 8000u);
}

TEST(ChronetProgram, TrayModeKeepsTheWindowHiddenUntilTheEnd) {
    InstalledChronet chronet(std::string(kSilent) + "\r\n" + kChronyTrue + "\r\n");
    ASSERT_TRUE(chronet.Start("T1"));
    HWND dialog = chronet.WaitDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitEditContains(dialog, Connecting(kSilent), 5000));
    EXPECT_FALSE(IsWindowVisible(dialog));
    ASSERT_TRUE(WaitEditContains(dialog, "=====", 12000));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(chronet.process().WaitExit(5000));
}

}  // namespace
}  // namespace tembra::nettime::test
