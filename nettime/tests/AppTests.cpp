// The whole program run in a thread of the test against test servers on loopback, with the
// clock-setting seam recorded: log lines, the window at the run's end, Cancel, tray mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/testing/TestSupport.h"
#include "nettime/core/Report.h"
#include "nettime/tests/ChronetTestSupport.h"
#include "nettime/tests/TestServers.h"
#include "nettime/win/ChronetState.h"
#include "nettime/win/Messages.h"
#include "nettime/win/resource.h"

namespace tembra::nettime::test {
namespace {

using tembra::test::RecordingSystem;
using tembra::test::WaitUntil;

std::vector<std::string> Repeat(const char* host, int n) { return std::vector<std::string>(n, host); }

ChronetLaunch Launch(const char* commandLine, std::vector<std::string> hosts,
                     const std::vector<std::string>& more = {}) {
    hosts.insert(hosts.end(), more.begin(), more.end());
    ChronetLaunch launch;
    launch.commandLine = commandLine;
    launch.servers = hosts;
    return launch;
}

std::string Connecting(const std::string& host) { return "Connecting to '" + host + "' ..."; }

// The lines of one successful exchange, starting at `at`; returns the index after them.
int ExpectExchangeReport(const std::vector<std::string>& lines, int at) {
    EXPECT_EQ(lines.at(at), "Time was successfully retreived from NTP server");
    EXPECT_EQ(lines.at(at + 1), "                            DD/MM/YYYY  HH:MM:SS.MS");
    EXPECT_EQ(lines.at(at + 2), "");
    const char* labels[] = {"Client Originate Date was   ", "Server Receive Date was     ",
                            "Server Transmit Date was    ", "Client Destination Date was "};
    for (int i = 0; i < 4; ++i) {
        const std::string& line = lines.at(at + 3 + i);
        EXPECT_EQ(line.substr(0, 28), labels[i]);
        // "DD/MM/YYYY, HH:MM:SS.MMM"; a fraction from 0.9995 s on prints 1000 milliseconds.
        EXPECT_TRUE(line.size() == 28u + 24u || line.size() == 28u + 25u) << line;
        EXPECT_EQ(line.substr(28 + 2, 1), "/");
    }
    EXPECT_EQ(lines.at(at + 7).rfind("Round trip delay was ", 0), 0u);
    EXPECT_EQ(lines.at(at + 8).rfind("Local clock offset was ", 0), 0u);
    return at + 9;
}

double SecondsBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
    FILETIME a, b;
    SystemTimeToFileTime(&from, &a);
    SystemTimeToFileTime(&to, &b);
    const auto ticks = [](const FILETIME& f) {
        return static_cast<int64_t>(f.dwHighDateTime) << 32 | f.dwLowDateTime;
    };
    return static_cast<double>(ticks(b) - ticks(a)) / 1e7;
}

class ChronetApp : public testing::Test {
protected:
    RecordingSystem system_;
};

TEST_F(ChronetApp, ReportOnlyRunLogsEveryLineInOrderAndShowsTheSummary) {
    AppRun app(Launch("2", {kPlus3599_7, kKissOfDeath, kPlus0_2}));
    ASSERT_TRUE(app.WaitDialog());
    EXPECT_TRUE(IsWindowVisible(app.dialog()));
    ASSERT_TRUE(app.WaitEditContains("=====", 10000)) << app.EditText();
    // The summary replaces the edit's content: terms -0.3 and 0.2 s.
    EXPECT_NEAR(SummaryOffset(app.EditText()), -0.05, 0.02) << app.EditText();
    EXPECT_TRUE(IsWindowVisible(app.dialog()));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(app.dialog(), IDC_HIDE)));

    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(5000));
    EXPECT_TRUE(system_.clockSets.empty());
    const auto lines = SplitLines(app.Log());
    ASSERT_GE(lines.size(), 27u);
    EXPECT_EQ(lines[0], "Initializing...");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], Connecting(kPlus3599_7));
    int at = ExpectExchangeReport(lines, 3);
    EXPECT_EQ(lines[at - 1].rfind("Local clock offset was 3599.", 0), 0u) << lines[at - 1];
    const std::string bad = kKissOfDeath;
    EXPECT_EQ(lines.at(at), Connecting(bad));
    EXPECT_EQ(lines.at(at + 1), "Reply from " + bad + " rejected: server sent a kiss-o'-death (stratum 0)");
    EXPECT_EQ(lines.at(at + 2), "Failed to retreive time from NTP server " + bad);
    EXPECT_EQ(lines.at(at + 3), "");
    EXPECT_EQ(lines.at(at + 4), Connecting(kPlus0_2));
    at = ExpectExchangeReport(lines, at + 5);
    EXPECT_EQ(lines[at - 1].rfind("Local clock offset was 0.", 0), 0u) << lines[at - 1];
    ASSERT_EQ(lines.size(), static_cast<size_t>(at + 1));
    EXPECT_EQ(lines[at], "Waiting...");
}

TEST_F(ChronetApp, AutoAdjustSetsTheClockAndExitsByItself) {
    AppRun app(Launch("A2", {kPlus2_4, kPlus3_4}));
    ASSERT_TRUE(app.WaitEnded(10000));
    ASSERT_EQ(system_.clockSets.size(), 1u);
    // 2.4 and 3.4 s average to 2.9 s ahead of the local time when the clock is set, to the
    // millisecond.
    EXPECT_NEAR(SecondsBetween(system_.clockSetMoments[0], system_.clockSets[0]), 2.9, 0.02);
    const std::string log = app.Log();
    EXPECT_EQ(log.substr(log.size() - 12), "\r\nWaiting...");
    EXPECT_EQ(log.find("====="), std::string::npos);
}

TEST_F(ChronetApp, ClockRefusedForWantOfRightsOffersARunAsAdministrator) {
    system_.setClockResult = false;
    system_.setClockError = 1314;  // ERROR_PRIVILEGE_NOT_HELD
    AppRun app(Launch("A1", {kPlus1900_4}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains("=====", 10000));
    const std::string shown = app.EditText();
    EXPECT_EQ(shown.rfind("\r\nAdministrator rights are needed to set the clock\r\n\r\n=====", 0), 0u)
        << shown;
    EXPECT_NEAR(SummaryOffset(shown.substr(shown.find("\r\n\r\n"))), -1699.6, 0.02);
    ASSERT_EQ(system_.clockSets.size(), 1u);
    // The run's end is acted on once: a repeated one sets nothing again.
    PostMessageA(app.dialog(), WM_SYNCDONE, 0, 1);
    ASSERT_TRUE(tembra::test::WaitForPostedMessages(app.dialog()));
    EXPECT_EQ(system_.clockSets.size(), 1u);
    EXPECT_FALSE(app.ended());
    EXPECT_TRUE(IsWindowVisible(app.dialog()));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(app.dialog(), IDC_HIDE)));

    // The button starts this program again with administrator rights, set to set the clock
    // with this run's number of servers; refused at the prompt, the offer stands.
    HWND runAs = GetDlgItem(app.dialog(), IDC_RUN_AS_ADMIN);
    ASSERT_TRUE(IsWindowVisible(runAs));
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    const std::string folder(exe, strrchr(exe, '\\'));
    const std::string elevated = std::string("start|") + exe + "|A 1|" + folder + "|runas";
    system_.startResult = false;
    SendMessageA(runAs, BM_CLICK, 0, 0);
    ASSERT_EQ(system_.calls.back(), elevated);
    EXPECT_FALSE(app.ended());
    system_.startResult = true;
    SendMessageA(runAs, BM_CLICK, 0, 0);
    ASSERT_TRUE(app.WaitEnded(5000));  // the new run sets the clock; this one is done
    EXPECT_EQ(system_.calls.back(), elevated);
    EXPECT_EQ(std::count(system_.calls.begin(), system_.calls.end(), "setclock"), 1);
    EXPECT_NE(app.Log().find("\r\nAdministrator rights are needed to set the clock"), std::string::npos);
}

TEST_F(ChronetApp, EnoughAnswersAreNeededToSetTheClock) {
    // ServersNum 5 and only 4 answers among 20 tries: the summary, no setting.
    AppRun app(Launch("A5", {kPlus10, kPlus10, kShortReply, kPlus10, kPlus10},
                      Repeat(kShortReply, 20)));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains("=====", 20000)) << app.EditText();
    EXPECT_NEAR(SummaryOffset(app.EditText()), 10.5, 0.02);
    EXPECT_TRUE(system_.clockSets.empty());
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(5000));
    const auto lines = SplitLines(app.Log());
    int tried = 0;
    for (const auto& line : lines) tried += line.rfind("Connecting to", 0) == 0;
    EXPECT_EQ(tried, 20);  // of 25 entries, only the first 20

}

TEST_F(ChronetApp, MoreThanTwentyServersNeverSetTheClock) {
    AppRun app(Launch("A21", {kPlus10}, Repeat(kShortReply, 22)));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains("=====", 20000)) << app.EditText();
    EXPECT_TRUE(system_.clockSets.empty());
    EXPECT_EQ(g_chronet.run->results.size(), 20u);
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(5000));
}

TEST_F(ChronetApp, NoServerAnsweringShowsTheWholeLogAndNoSummary) {
    AppRun app(Launch("A", {kWrongOriginate, kZeroTransmit}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitRunEnd(10000));
    const std::string shown = app.EditText();
    EXPECT_EQ(shown.find("====="), std::string::npos);
    EXPECT_NE(shown.find("rejected: reply does not answer our request"), std::string::npos) << shown;
    EXPECT_NE(shown.find("rejected: reply has no transmit time"), std::string::npos);
    EXPECT_TRUE(system_.clockSets.empty());
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(5000));
}

TEST_F(ChronetApp, CancelKeepsTakingLogLinesAndEndsWithTheWorker) {
    AppRun app(Launch("2", {kSilent, kTrue}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains(Connecting(kSilent), 5000));
    const DWORD start = GetTickCount();
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(15000));
    // The worker's failure line came while Cancel waited, so the wait ended with the worker
    // (after the 5-second reply wait), not at its 10-second limit.
    EXPECT_LT(GetTickCount() - start, 9000u);
    const auto lines = SplitLines(app.Log());
    const int waiting = FindLine(lines, "Waiting...");
    ASSERT_NE(waiting, -1);
    EXPECT_EQ(FindLine(lines, std::string("Failed to retreive time from NTP server ") + kSilent, waiting),
              waiting + 1);
    EXPECT_EQ(FindLine(lines, Connecting(kTrue)), -1);  // the stop is seen before the next server
}

TEST_F(ChronetApp, StopDuringASuccessfulExchangeIsAUserAbort) {
    AppRun app(Launch("A3", {kPlus5, kPlus5, kPlus5Slow}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains(Connecting(kPlus5Slow), 5000));
    // Another copy's Cancel: the named event is shared by all copies.
    HANDLE stop = OpenEventA(EVENT_MODIFY_STATE, FALSE, kStopEventName);
    ASSERT_TRUE(stop);
    SetEvent(stop);
    CloseHandle(stop);
    ASSERT_TRUE(app.WaitRunEnd(10000));
    // The third answer is neither counted nor reported, and count 0 shows no summary.
    EXPECT_EQ(app.EditText().find("====="), std::string::npos);
    EXPECT_TRUE(system_.clockSets.empty());
    const auto lines = SplitLines(app.EditText());
    EXPECT_EQ(lines.back(), Connecting(kPlus5Slow));
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(5000));
}

TEST_F(ChronetApp, TrayModeKeepsTheWindowHiddenUntilTheEnd) {
    AppRun app(Launch("T1", {kPlus1Slow}));
    ASSERT_TRUE(app.WaitDialog());
    EXPECT_FALSE(IsWindowVisible(app.dialog()));
    ASSERT_TRUE(WaitUntil([&] { return app.EditText().find(Connecting(kPlus1Slow)) != std::string::npos; }, 5000));
    EXPECT_FALSE(IsWindowVisible(app.dialog()));
    ASSERT_TRUE(app.WaitEditContains("=====", 10000));
    EXPECT_TRUE(IsWindowVisible(app.dialog()));
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(5000));
}

TEST_F(ChronetApp, HideThenDoubleClickBringsTheWholeLogBack) {
    AppRun app(Launch("1", {kPlus5Slow}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains(Connecting(kPlus5Slow), 5000));
    SendMessageA(GetDlgItem(app.dialog(), IDC_HIDE), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(app.dialog()));
    SendMessageA(app.dialog(), WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(app.dialog()));
    SendMessageA(app.dialog(), WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(app.dialog()));
    EXPECT_EQ(app.EditText().rfind("Initializing...\r\n\r\nConnecting to '", 0), 0u);
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(5000));
}

TEST_F(ChronetApp, CloseBoxEndsAtOnceWithoutWaitingLine) {
    AppRun app(Launch("1", {kTrue}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains("=====", 10000));
    PostMessageA(app.dialog(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitEnded(5000));
    EXPECT_EQ(app.Log().find("Waiting..."), std::string::npos);
}

TEST_F(ChronetApp, NegativeServersNumAsksNobody) {
    tembra::test::ScopedRegistrySandbox sandbox;
    tembra::test::RegWriteDword("SoftWare\\Tembra\\InternetTime", "ServersNum", 0xFFFFFFFFu);
    tembra::test::RegWriteDword("SoftWare\\Tembra\\InternetTime", "AutoAdjustTime", 1);
    AppRun app(Launch("", {kTrue}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitRunEnd(10000));
    EXPECT_TRUE(g_chronet.run->results.empty());
    EXPECT_EQ(app.EditText(), "Initializing...\r\n") << app.ended() << IsWindow(app.dialog());
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(5000));
}

TEST_F(ChronetApp, ForgedMessagesNeitherReachTheLogNorSetTheClock) {
    AppRun app(Launch("A1", {kPlus5Slow}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains(Connecting(kPlus5Slow), 5000));
    SYSTEMTIME before;
    GetLocalTime(&before);
    // Another program using our message numbers while the server is still waited for.
    static const char forged[] = "forged line";
    SendMessageA(app.dialog(), WM_LOGAPPEND, reinterpret_cast<WPARAM>(forged), 0);
    SendMessageA(app.dialog(), WM_COMMAND, IDC_RUN_AS_ADMIN, 0);  // offered only after a refusal
    PostMessageA(app.dialog(), WM_SYNCDONE, 0, 1);
    PostMessageA(app.dialog(), WM_SYNCDONE, 0, 3026);
    ASSERT_TRUE(app.WaitEnded(10000));
    // Set once, 5 s ahead by the real answer that came 1.5 s later, not from an empty slot
    // (0 s ahead) or from memory past the results.
    ASSERT_EQ(system_.clockSets.size(), 1u);
    const double ahead = SecondsBetween(before, system_.clockSets[0]);
    EXPECT_GT(ahead, 4.0);
    EXPECT_LT(ahead, 9.0);
    EXPECT_EQ(app.Log().find(forged), std::string::npos);
    EXPECT_EQ(system_.calls, std::vector<std::string>{"setclock"});
}

TEST_F(ChronetApp, OneCancelAtATime) {
    AppRun app(Launch("2", {kSilent, kTrue}));
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains(Connecting(kSilent), 5000));
    app.PressCancel();
    ASSERT_TRUE(app.WaitEditContains("Waiting...", 5000));
    // Sent while the first Cancel waits for the worker, so handled inside that wait.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(app.dialog(), WM_COMMAND, IDCANCEL, 0, SMTO_NORMAL, 15000, &result);
    SendMessageTimeoutA(app.dialog(), WM_CLOSE, 0, 0, SMTO_NORMAL, 15000, &result);
    ASSERT_TRUE(app.WaitEnded(15000));
    const auto lines = SplitLines(app.Log());
    const int waiting = FindLine(lines, "Waiting...");
    ASSERT_NE(waiting, -1);
    EXPECT_EQ(FindLine(lines, "Waiting...", waiting + 1), -1);
    // The first Cancel still waited for the worker's last line.
    EXPECT_NE(FindLine(lines, std::string("Failed to retreive time from NTP server ") + kSilent, waiting), -1);
}

TEST_F(ChronetApp, AWorkerOutlivingTheWaitKeepsItsRunAndStillStops) {
    ChronetLaunch launch = Launch("2", {kSilent, kTrue});
    launch.workerStopWaitMs = 200;  // shorter than the silent server's 5-second reply wait
    AppRun app(launch);
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitEditContains(Connecting(kSilent), 5000));
    const std::weak_ptr<SyncRunState> watched = g_chronet.run;
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(3000));
    std::shared_ptr<SyncRunState> run = watched.lock();
    ASSERT_TRUE(run);  // the program is gone, the worker still holds its run
    EXPECT_FALSE(run->finished());
    ASSERT_TRUE(WaitUntil([&] { return run->finished(); }, 8000));
    // It saw the stop after the silent server and asked no other.
    EXPECT_STREQ(run->status(), "User abort");
    const std::vector<LogLine> lines = run->TakeLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().text, std::string("Failed to retreive time from NTP server ") + kSilent + "\r\n");
    run.reset();
    EXPECT_TRUE(WaitUntil([&] { return watched.expired(); }, 2000));
}

TEST_F(ChronetApp, WithoutItsWindowTheProgramEnds) {
    // A module without the log window's template: the dialog cannot be made.
    const HINSTANCE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_EQ(FindResourceA(kernel, MAKEINTRESOURCEA(IDD_CHRONET), MAKEINTRESOURCEA(5)), nullptr);
    AppRun app(Launch("1", {kTrue}), kernel);
    EXPECT_TRUE(app.WaitEnded(3000));
}

HANDLE FailToStartWorker(const std::shared_ptr<SyncRunState>&) { return nullptr; }

TEST_F(ChronetApp, AWorkerThatCannotStartIsLoggedAndEndsTheRun) {
    ChronetLaunch launch = Launch("T1", {kTrue});
    launch.startWorker = FailToStartWorker;
    AppRun app(launch);
    ASSERT_TRUE(app.WaitDialog());
    ASSERT_TRUE(app.WaitRunEnd(3000));  // shown although in tray mode, "&Hide" gone
    EXPECT_EQ(app.EditText(), "Initializing...\r\n\r\nFailed to start the time synchronization thread");
    app.PressCancel();
    ASSERT_TRUE(app.WaitEnded(3000));
}

TEST(SyncRunTest, TheRunGoesAtTheNetworksPaceNotTheWindows) {
    // A window whose thread takes no message while the run lasts.
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window);
    UniqueKernelHandle stop(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ChronetOptions options;
    options.serversNum = 2;
    auto run = std::make_shared<SyncRunState>(options, std::vector<std::string>{kTrue, kPlus10},
                                              kNtpPort, stop.get());
    run->dialog = window;
    UniqueKernelHandle worker(StartSyncThread(run));
    ASSERT_TRUE(worker);
    EXPECT_EQ(WaitForSingleObject(worker.get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(run->count(), 2);
    // Every line waits in the run, in order, for the window to take it.
    const std::vector<LogLine> lines = run->TakeLines();
    ASSERT_EQ(lines.size(), 2u * 4u);  // per server: connecting, two headers, the report
    EXPECT_EQ(lines.front().text, Connecting(kTrue));
    EXPECT_EQ(lines[4].text, Connecting(kPlus10));
    EXPECT_NE(lines.back().text.find("Local clock offset was 10."), std::string::npos);
    DestroyWindow(window);
}

TEST(SyncRunStateTest, WithoutAStopEventTheRunCountsAsStoppedAndCountsStayInTheSlots) {
    ChronetOptions options;
    options.serversNum = 2;
    SyncRunState run(options, std::nullopt, kNtpPort, nullptr);
    EXPECT_TRUE(run.StopRequested());
    EXPECT_EQ(run.results.size(), 2u);
    run.Finish("", 3026);
    EXPECT_EQ(run.count(), 2);
    run.Finish("", -5);
    EXPECT_EQ(run.count(), 0);
}

}  // namespace
}  // namespace tembra::nettime::test
