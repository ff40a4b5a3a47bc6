// End to end: a new event made with the real settings program started as the clock's menu
// starts it (`TCSets n`) reaches the real clock, which fires it. The clock's outside effects
// only go to a file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/testing/TestSupport.h"
#include "settings/EventEditDlgRes.h"
#include "store/EventStore.h"
#include "store/SuiteContract.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr const char* kAlertTitle = "Tembra Clock - 警告";
constexpr int kAlertText = 1001;
constexpr int kAlertClose = 2;
// Far enough ahead for the settings program to start and be answered under Wine.
constexpr int kSecondsAhead = 8;

SYSTEMTIME SecondsFromNow(int seconds) {
    const CivilTime t = CivilTimeOf(CurrentDateValue() + seconds / 86400.0);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wDayOfWeek = static_cast<WORD>(WeekdayOf(t.year, t.month, t.day) - 1);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

class NewEventToClockTest : public ::testing::Test {
protected:
    ChildProcess clock, settings;
    HWND clockWindow = nullptr;
    std::string recordFile;

    void SetUp() override {
        // Only clocks of this test prefix can be here: one of an earlier test on its way out.
        if (HWND stray = FindWindowA(kClockClassName, nullptr)) SendMessageA(stray, WM_ENDSESSION, TRUE, 0);
        ASSERT_TRUE(WaitForNoWindow(kClockClassName, 20000));
        RegDeleteTreeAt("Software\\Tembra");
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        recordFile = std::string(dir) + "tembra-new-event-" + std::to_string(GetCurrentProcessId()) + ".log";
        DeleteFileA(recordFile.c_str());
        ASSERT_TRUE(clock.Start(BinDir() + "\\" + kClockProgram, "",
                                {"TEMBRA_RECORD_SYSTEM_CALLS=" + recordFile}));
        clockWindow = WaitForProcessWindow(clock.pid(), kClockClassName, 20000);
        ASSERT_NE(clockWindow, nullptr);
        // Shown once its start-up is over, the day list loaded.
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(clockWindow) != FALSE; }, 15000));
    }
    void TearDown() override {
        if (!settings.WaitExit(5000)) settings.Kill();
        if (clockWindow && IsWindow(clockWindow)) SendMessageA(clockWindow, WM_ENDSESSION, TRUE, 0);
        if (!clock.WaitExit(10000)) clock.Kill();
        RegDeleteTreeAt("Software\\Tembra");
        DeleteFileA(recordFile.c_str());
    }

    // Starts the settings program for a new event and waits for its editor.
    HWND StartEditor() {
        if (!settings.Start(BinDir() + "\\" + kSettingsProgram, "n")) return nullptr;
        HWND editor = nullptr;
        WaitUntil([&] {
            return (editor = FindProcessWindow(settings.pid(), "#32770", kNewEventTitle)) != nullptr;
        }, 20000);
        return editor;
    }
    // Sets a date-time picker of the settings program: the value travels in its own memory.
    bool SetPicker(HWND editor, int id, const SYSTEMTIME& value) {
        void* remote = VirtualAllocEx(settings.handle(), nullptr, sizeof value, MEM_COMMIT,
                                      PAGE_READWRITE);
        if (!remote) return false;
        DWORD_PTR result = 0;
        const bool ok = WriteProcessMemory(settings.handle(), remote, &value, sizeof value, nullptr) &&
                        SendMessageTimeoutA(GetDlgItem(editor, id), DTM_SETSYSTEMTIME, GDT_VALID,
                                            reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 5000,
                                            &result) &&
                        result != 0;
        VirtualFreeEx(settings.handle(), remote, 0, MEM_RELEASE);
        return ok;
    }
    // Presses a button of the editor (posted: it sits in its modal loop) and waits for the
    // program to end.
    bool CloseEditorWith(HWND editor, int button) {
        PostMessageA(GetDlgItem(editor, button), BM_CLICK, 0, 0);
        DWORD code = 99;
        return settings.WaitExit(20000, &code) && code == 0;
    }
    HWND WaitForAlert() {
        HWND alert = nullptr;
        WaitUntil([&] { return (alert = FindProcessWindow(clock.pid(), nullptr, kAlertTitle)) != nullptr; },
                  30000);
        return alert;
    }
    static EventList Stored() {
        EventList list;
        LoadEvents(false, list);
        return list;
    }
};

}  // namespace

TEST_F(NewEventToClockTest, OkAppendsTheEventAndTheClockFiresIt) {
    HWND editor = StartEditor();
    ASSERT_NE(editor, nullptr);
    SendDlgItemMessageA(editor, IDC_EVENT_NAME, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("该出发了"));
    const SYSTEMTIME at = SecondsFromNow(kSecondsAhead);
    ASSERT_TRUE(SetPicker(editor, IDC_EVENT_DATE, at));
    ASSERT_TRUE(SetPicker(editor, IDC_EVENT_TIME, at));
    ASSERT_TRUE(CloseEditorWith(editor, IDOK));

    EventList stored = Stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->Name, "该出发了");
    EXPECT_EQ(stored[0]->FreqDetail0, DayNumberOf(at.wYear, at.wMonth, at.wDay));

    HWND alert = WaitForAlert();
    ASSERT_NE(alert, nullptr) << "the clock was not told, or did not fire";
    EXPECT_EQ(ItemText(alert, kAlertText), "该出发了");
    SendMessageA(GetDlgItem(alert, kAlertClose), BM_CLICK, 0, 0);
}

TEST_F(NewEventToClockTest, CancelAppendsNothingYetTellsTheClock) {
    // Stored behind the running clock's back: only a reload makes the clock see it.
    const double at = CurrentDateValue() + kSecondsAhead / 86400.0;
    EventRecord waiting = EventRecord::NewAt(CurrentDateValue());
    waiting.Name = "只有重新载入才知道";
    waiting.FreqDetail0 = DayPart(at);
    waiting.Time = TimePart(at);
    ASSERT_TRUE(AppendEvent(waiting));

    HWND editor = StartEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(CloseEditorWith(editor, IDCANCEL));
    EXPECT_EQ(Stored().size(), 1u);

    HWND alert = WaitForAlert();
    ASSERT_NE(alert, nullptr) << "the clock was not told";
    EXPECT_EQ(ItemText(alert, kAlertText), "只有重新载入才知道");
    SendMessageA(GetDlgItem(alert, kAlertClose), BM_CLICK, 0, 0);
}
