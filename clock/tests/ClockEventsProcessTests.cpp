// Events in the real clock program: stored as the settings program stores them, fired by the
// real clock at the real time, watched from outside. Outside effects only go to a file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "framework/testing/TestSupport.h"
#include "store/EventStore.h"
#include "store/OptionsStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {

class ClockEventsProcessTest : public ::testing::Test {
protected:
    ChildProcess clock;
    HWND window = nullptr;
    std::string recordFile;

    void SetUp() override {
        // A clock of an earlier test may still be on its way out.
        if (HWND stray = FindWindowA("zmrClock", nullptr)) SendMessageA(stray, WM_ENDSESSION, TRUE, 0);
        ASSERT_TRUE(WaitForNoWindow("zmrClock", 20000));
        RegDeleteTreeAt("Software\\Tembra");
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        recordFile = std::string(dir) + "tembra-events-" + std::to_string(GetCurrentProcessId()) +
                     ".log";
        DeleteFileA(recordFile.c_str());
    }
    void TearDown() override {
        if (window && IsWindow(window)) SendMessageA(window, WM_ENDSESSION, TRUE, 0);
        if (!clock.WaitExit(10000)) clock.Kill();
        RegDeleteTreeAt("Software\\Tembra");
        DeleteFileA(recordFile.c_str());
    }

    void StartClock() {
        ASSERT_TRUE(clock.Start(BinDir() + "\\TembraClock.exe", "",
                                {"TEMBRA_RECORD_SYSTEM_CALLS=" + recordFile}));
        window = WaitForProcessWindow(clock.pid(), "zmrClock", 20000);
        ASSERT_NE(window, nullptr);
    }
    HWND WaitForDialog(const char* title, DWORD timeoutMs) {
        HWND found = nullptr;
        WaitUntil(
            [&] { return (found = FindProcessWindow(clock.pid(), nullptr, title)) != nullptr; },
            timeoutMs);
        return found;
    }
    std::vector<std::string> RecordedCalls() const {
        std::vector<std::string> lines;
        FILE* f = fopen(recordFile.c_str(), "rb");
        if (!f) return lines;
        char line[512];
        while (fgets(line, sizeof line, f)) {
            std::string s = line;
            while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
            lines.push_back(s);
        }
        fclose(f);
        return lines;
    }
    // The clock records its sound or program start just after it shows the dialog.
    std::vector<std::string> WaitForRecordedCalls(size_t count) const {
        WaitUntil([&] { return RecordedCalls().size() >= count; }, 5000);
        return RecordedCalls();
    }
    static size_t StoredCount() {
        EventList list;
        LoadEvents(false, list);
        return list.size();
    }

    // A one-time event `secondsAhead` from now, as the settings program stores it.
    static EventRecord EventIn(int secondsAhead, const char* name) {
        const double now = CurrentDateValue();
        const double at = now + secondsAhead / 86400.0;
        EventRecord e = EventRecord::NewAt(now);
        e.Name = name;
        e.FreqDetail0 = DayPart(at);
        e.Time = TimePart(at);
        return e;
    }
};

}  // namespace

TEST_F(ClockEventsProcessTest, ADueEventShowsItsMessageAndLeavesTheStore) {
    AppendEvent(EventIn(4, "该开会了"));
    StartClock();
    HWND message = WaitForDialog("Tembra Clock - 警告", 20000);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(ItemText(message, 1001), "该开会了");
    EXPECT_EQ(ItemText(message, 2), "确定");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(message, 1)));
    EXPECT_TRUE(WaitUntil([&] { return StoredCount() == 0; }, 5000));
    EXPECT_EQ(WaitForRecordedCalls(1), std::vector<std::string>{"beep"});

    SendMessageA(GetDlgItem(message, 2), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(message); }, 5000));
}

TEST_F(ClockEventsProcessTest, AReminderShowsItsThreeAnswersAndEscapeClosesIt) {
    auto e = EventIn(300, "交报告");
    e.Remind = 296;
    e.WavFile = "C:\\sounds\\ding.wav";
    AppendEvent(e);
    StartClock();
    HWND reminder = WaitForDialog("Tembra Clock - 提醒", 20000);
    ASSERT_NE(reminder, nullptr);
    EXPECT_EQ(ItemText(reminder, 1001), "交报告");
    EXPECT_EQ(ItemText(reminder, 2), "关闭");
    EXPECT_EQ(ItemText(reminder, 1), "不执行它!");
    EXPECT_EQ(ItemText(reminder, 1000), "立即执行!");
    EXPECT_EQ(WaitForRecordedCalls(1), std::vector<std::string>{"sound|C:\\sounds\\ding.wav|1"});

    // Escape reaches the modeless reminder through the clock's message loop: choice "close",
    // the event stays stored.
    PostMessageA(GetDlgItem(reminder, 2), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(reminder); }, 5000));
    EXPECT_EQ(StoredCount(), 1u);
}

TEST_F(ClockEventsProcessTest, DoNotRunOnAReminderDeletesTheOneTimeEvent) {
    auto e = EventIn(300, "取消我");
    e.Remind = 297;
    AppendEvent(e);
    StartClock();
    HWND reminder = WaitForDialog("Tembra Clock - 提醒", 20000);
    ASSERT_NE(reminder, nullptr);
    SendMessageA(GetDlgItem(reminder, 1), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(reminder); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return StoredCount() == 0; }, 5000));
}

TEST_F(ClockEventsProcessTest, ARunProgramEventStartsItsProgramThroughTheShell) {
    auto e = EventIn(3, "run");
    e.Action = RunProgram;
    e.Run = "C:\\nowhere\\missing.exe";
    e.RunParams = "-x";
    AppendEvent(e);
    StartClock();
    EXPECT_TRUE(WaitUntil([&] { return RecordedCalls().size() >= 2; }, 20000));
    // The start runs on a thread of its own: it may be written before or after the beep.
    std::vector<std::string> calls = RecordedCalls();
    std::sort(calls.begin(), calls.end());
    EXPECT_EQ(calls, (std::vector<std::string>{"beep", "start|C:\\nowhere\\missing.exe|-x|"}));
    EXPECT_EQ(FindProcessWindow(clock.pid(), nullptr, "Tembra Clock - 警告"), nullptr);
}

TEST_F(ClockEventsProcessTest, WhatPassedWhileTheClockWasNotRunningIsListedAndNothingRuns) {
    // The clock last ran two hours ago; a daily shutdown and a program start passed since.
    WriteLastRun(CurrentDateValue() - 2 / 24.0);
    auto off = EventIn(-3600, "关机");
    off.Frequency = Daily;
    off.Action = ShutDown;
    auto run = EventIn(-1800, "备份");
    run.Frequency = Daily;
    run.Action = RunProgram;
    run.Run = "C:\\tools\\backup.exe";
    AppendEvent(off);
    AppendEvent(run);
    StartClock();
    HWND missed = WaitForDialog("错过的事件", 20000);
    ASSERT_NE(missed, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(missed, 1002), LVM_GETITEMCOUNT, 0, 0), 2);
    SendMessageA(GetDlgItem(missed, 2), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(missed); }, 5000));
    EXPECT_TRUE(RecordedCalls().empty());
}
