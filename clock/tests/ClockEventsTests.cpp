// Events in a clock window driven in-process: the time comes from FakeClockTime, outside
// effects go to the recorder, dialogs are found among this thread's windows by title.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "clock/AlertDialog.h"
#include "clock/AlertTable.h"
#include "clock/BackgroundStarts.h"
#include "clock/MissedEventsDialog.h"
#include "clock/tests/ClockTestSupport.h"
#include "store/EventStore.h"
#include "store/OptionsStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {

using Strings = std::vector<std::string>;

const char* const kReminderTitle = "Tembra Clock - 提醒";
const char* const kMessageTitle = "Tembra Clock - 警告";

struct DialogSearch {
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0 && IsWindowVisible(window) && WindowText(window) == search->title)
        search->found.push_back(window);
    return TRUE;
}

// The visible dialogs of this thread with the given title, in no particular order.
std::vector<HWND> Dialogs(const char* title) {
    DialogSearch search{title, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Dispatches what is queued as the clock's message loop does, alert dialogs first.
void Pump() {
    for (int round = 0; round < 3; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (Alerts().PreTranslate(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The rows of the missed-events window, columns joined by "|".
Strings MissedRows(HWND window) {
    HWND list = GetDlgItem(window, IDC_MISSED_LIST);
    Strings rows;
    for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
        std::string text;
        for (int column = 0; column < 4; ++column) {
            char cell[128] = "";
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = cell;
            item.cchTextMax = sizeof cell;
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            text += (column ? "|" : "") + std::string(cell);
        }
        rows.push_back(text);
    }
    return rows;
}

Strings Sorted(Strings s) {
    std::sort(s.begin(), s.end());
    return s;
}

constexpr int kToday = 0;  // offset in days from the test's Wednesday

class ClockEventsTest : public ::testing::Test {
protected:
    ScopedRegistrySandbox sandbox;
    RecordingSystem system;
    FakeClockTime time{CivilTime{2026, 12, 9, 9, 0, 0, 0}};  // a Wednesday
    std::unique_ptr<ClockWindow> clock;

    void TearDown() override {
        EXPECT_TRUE(WaitForBackgroundStarts(15000));
        // The table is program-wide; the dialogs die with their owner, the clock window.
        for (const char* title : {kReminderTitle, kMessageTitle})
            for (HWND d : Dialogs(title)) Alerts().RemoveDialog(d);
        clock.reset();
        Pump();
    }

    void StartAt(int h, int m, int s) {
        time.Set(CivilTime{2026, 12, 9, h, m, s, 0});
        clock = StartClock();
        ASSERT_TRUE(clock);
        Pump();
    }
    // One accepted tick at the given moment of the test's Wednesday (or a later day), and
    // the handling of whatever it posted.
    void At(int h, int m, int s, int dayOffset = kToday) {
        time.Set(CivilTimeOf(DateValueOf({2026, 12, 9, h, m, s, 0}) + dayOffset));
        Tick(*clock);
        Pump();
    }

    static EventRecord Event(const char* name, int h, int m, int s = 0) {
        static int serial = 0;
        EventRecord e;
        e.Name = name;
        e.Id = DateValueOf({2026, 12, 1, 8, 0, 0, 0}) + (++serial) / 86400.0;
        e.Time = ((h * 60 + m) * 60 + s) / 86400.0;
        e.FreqDetail0 = DayNumberOf(2026, 12, 9);
        return e;
    }
    static Strings StoredNames() {
        EventList list;
        LoadEvents(false, list);
        Strings names;
        for (const auto& e : list) names.push_back(e->Name);
        return names;
    }
    Strings DayListNames() const {
        Strings names;
        for (const auto& e : clock->dayList()) names.push_back(e->Name);
        return names;
    }
    std::uint32_t KeyOf(const std::string& name) const {
        for (const auto& e : clock->dayList())
            if (e->Name == name) return e->ListKey;
        return 0;
    }
    HWND OnlyDialog(const char* title) {
        auto found = Dialogs(title);
        return found.size() == 1 ? found[0] : nullptr;
    }
    // What the seam was asked, sorted: programs start on threads of their own, in no order
    // with the sounds.
    Strings CallsOnceStarted() {
        EXPECT_TRUE(WaitForBackgroundStarts(10000));
        return Sorted(system.calls);
    }
};

}  // namespace

TEST_F(ClockEventsTest, ReminderAtFiveToTenAndTheEventAtTen) {
    auto e = Event("开会", 10, 0);
    e.Remind = 300;
    AppendEvent(e);
    StartAt(9, 54, 58);
    At(9, 54, 59);
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    EXPECT_TRUE(system.calls.empty());

    At(9, 55, 0);
    HWND reminder = OnlyDialog(kReminderTitle);
    ASSERT_NE(reminder, nullptr);
    EXPECT_EQ(ItemText(reminder, IDC_ALERT_TEXT), "开会");
    EXPECT_EQ(ItemText(reminder, IDC_ALERT_CLOSE), "关闭");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(reminder, IDC_ALERT_DONOTRUN)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(reminder, IDC_ALERT_RUNNOW)));
    EXPECT_EQ(GetWindow(reminder, GW_OWNER), clock->hwnd());
    EXPECT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(system.calls, Strings{"beep"});
    ASSERT_EQ(clock->dayList().size(), 1u);
    EXPECT_TRUE(clock->dayList()[0]->Reminded);

    for (int s = 1; s < 60; s += 7) At(9, 59, s);  // nothing more until ten
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 1u);
    EXPECT_EQ(system.calls.size(), 1u);

    At(10, 0, 0);
    EXPECT_FALSE(IsWindow(reminder));  // the event closes its reminder
    EXPECT_TRUE(Alerts().empty());
    HWND message = OnlyDialog(kMessageTitle);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(ItemText(message, IDC_ALERT_TEXT), "开会");
    EXPECT_EQ(ItemText(message, IDC_ALERT_CLOSE), "确定");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(message, IDC_ALERT_DONOTRUN)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(message, IDC_ALERT_RUNNOW)));
    EXPECT_EQ(system.calls, (Strings{"beep", "beep"}));
    EXPECT_TRUE(clock->dayList().empty());
    EXPECT_TRUE(StoredNames().empty());  // a one-time event is gone once it has fired

    Press(message, IDC_ALERT_CLOSE);
    EXPECT_FALSE(IsWindow(message));
    At(10, 0, 1);
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
}

TEST_F(ClockEventsTest, EventWithoutReminderFiresOnTheFirstTickAtOrAfterItsTime) {
    AppendEvent(Event("a", 9, 30));
    AppendEvent(Event("b", 9, 30, 30));
    StartAt(9, 29, 0);
    At(9, 30, 10);  // the tick at 09:30:00 was missed
    ASSERT_EQ(Dialogs(kMessageTitle).size(), 1u);
    EXPECT_EQ(ItemText(Dialogs(kMessageTitle)[0], IDC_ALERT_TEXT), "a");
    EXPECT_EQ(DayListNames(), Strings{"b"});
    At(9, 31, 0);
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 2u);
}

TEST_F(ClockEventsTest, DailyEventFiresAgainAfterMidnight) {
    auto e = Event("每天", 23, 30);
    e.Frequency = Daily;
    AppendEvent(e);
    StartAt(23, 0, 0);
    At(23, 30, 0);
    HWND first = OnlyDialog(kMessageTitle);
    ASSERT_NE(first, nullptr);
    Press(first, IDC_ALERT_CLOSE);
    EXPECT_TRUE(clock->dayList().empty());
    EXPECT_EQ(StoredNames(), Strings{"每天"});  // recurring events stay stored

    At(23, 45, 0);
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    At(0, 0, 1, 1);  // Thursday: the new day reloads the list
    EXPECT_EQ(DayListNames(), Strings{"每天"});
    At(23, 29, 59, 1);
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    At(23, 30, 0, 1);
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 1u);
}

TEST_F(ClockEventsTest, CloseKeepsTheEventWhichFiresAtItsTimeWithoutANewReminder) {
    auto once = Event("一次", 10, 0);
    once.Remind = 60;
    auto weekly = Event("每周", 10, 5);
    weekly.Frequency = Weekly;
    weekly.FreqDetail2 = 4;  // Wednesday
    weekly.Remind = 60;
    AppendEvent(once);
    AppendEvent(weekly);
    StartAt(9, 58, 0);

    At(9, 59, 0);
    Press(OnlyDialog(kReminderTitle), IDC_ALERT_CLOSE);
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(DayListNames(), (Strings{"一次", "每周"}));
    EXPECT_TRUE(clock->dayList()[0]->Reminded);
    At(9, 59, 30);
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    At(10, 0, 0);
    HWND message = OnlyDialog(kMessageTitle);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(ItemText(message, IDC_ALERT_TEXT), "一次");
    Press(message, IDC_ALERT_CLOSE);

    At(10, 4, 0);
    Press(OnlyDialog(kReminderTitle), IDC_ALERT_CLOSE);
    At(10, 5, 0);
    message = OnlyDialog(kMessageTitle);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(ItemText(message, IDC_ALERT_TEXT), "每周");
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    EXPECT_EQ(system.calls, (Strings{"beep", "beep", "beep", "beep"}));
    EXPECT_EQ(StoredNames(), Strings{"每周"});
}

TEST_F(ClockEventsTest, DoNotRunDeletesAOneTimeEventForGood) {
    auto e = Event("一次", 10, 0);
    e.Remind = 60;
    AppendEvent(e);
    AppendEvent(Event("other", 11, 0));
    StartAt(9, 58, 0);
    At(9, 59, 0);
    HWND reminder = OnlyDialog(kReminderTitle);
    ASSERT_NE(reminder, nullptr);
    Press(reminder, IDC_ALERT_DONOTRUN);
    EXPECT_FALSE(IsWindow(reminder));
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(DayListNames(), Strings{"other"});
    EXPECT_EQ(StoredNames(), Strings{"other"});
    At(10, 0, 0);
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    EXPECT_EQ(system.calls, Strings{"beep"});  // the reminder's sound only
}

TEST_F(ClockEventsTest, DoNotRunTakesARecurringEventOffTodayOnly) {
    auto e = Event("每天", 10, 0);
    e.Frequency = Daily;
    e.Remind = 60;
    AppendEvent(e);
    StartAt(9, 58, 0);
    At(9, 59, 0);
    Press(OnlyDialog(kReminderTitle), IDC_ALERT_DONOTRUN);
    EXPECT_TRUE(clock->dayList().empty());
    EXPECT_EQ(StoredNames(), Strings{"每天"});
    At(10, 0, 0);
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    At(9, 0, 0, 1);  // next day: back in the list
    EXPECT_EQ(DayListNames(), Strings{"每天"});
    At(9, 59, 0, 1);
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 1u);
}

TEST_F(ClockEventsTest, RunNowStartsAOneTimeProgramOnceAndDeletesIt) {
    auto e = Event("备份", 10, 0);
    e.Action = RunProgram;
    e.Run = "C:\\tools\\backup.exe";
    e.RunParams = "/all";
    e.RunIn = "C:\\data";
    e.WavFile = "done.wav";
    e.Remind = 120;
    AppendEvent(e);
    StartAt(9, 57, 0);
    At(9, 58, 0);
    Press(OnlyDialog(kReminderTitle), IDC_ALERT_RUNNOW);
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(CallsOnceStarted(), Sorted({"sound|done.wav|1", "start|C:\\tools\\backup.exe|/all|C:\\data",
                                          "sound|done.wav|1"}));
    EXPECT_TRUE(clock->dayList().empty());
    EXPECT_TRUE(StoredNames().empty());
    At(10, 0, 0);
    EXPECT_EQ(system.calls.size(), 3u);
}

TEST_F(ClockEventsTest, RunNowStartsAWeeklyProgramNowAndAgainAtItsTime) {
    auto e = Event("周报", 10, 0);
    e.Frequency = Weekly;
    e.FreqDetail2 = 4;  // Wednesday
    e.Action = RunProgram;
    e.Run = "report.exe";
    e.Remind = 120;
    AppendEvent(e);
    StartAt(9, 57, 0);
    At(9, 58, 0);
    Press(OnlyDialog(kReminderTitle), IDC_ALERT_RUNNOW);
    EXPECT_EQ(CallsOnceStarted(), Sorted({"beep", "start|report.exe||", "beep"}));
    EXPECT_EQ(DayListNames(), Strings{"周报"});
    At(9, 59, 0);
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());  // no second reminder
    At(10, 0, 0);
    EXPECT_EQ(CallsOnceStarted(),
              Sorted({"beep", "start|report.exe||", "beep", "start|report.exe||", "beep"}));
    EXPECT_EQ(StoredNames(), Strings{"周报"});
    EXPECT_TRUE(clock->dayList().empty());
}

TEST_F(ClockEventsTest, EscapeAnswersOnlyItsOwnReminder) {
    auto a = Event("甲", 10, 0);
    a.Remind = 300;
    auto b = Event("乙", 10, 1);
    b.Remind = 360;
    AppendEvent(a);
    AppendEvent(b);
    StartAt(9, 50, 0);
    At(9, 55, 0);
    auto reminders = Dialogs(kReminderTitle);
    ASSERT_EQ(reminders.size(), 2u);
    ASSERT_EQ(Alerts().size(), 2u);
    HWND first = Alerts().FirstDialogFor(KeyOf("甲"));
    HWND second = Alerts().FirstDialogFor(KeyOf("乙"));
    ASSERT_TRUE(first && second);

    // Escape typed in the first reminder, wherever the focus is now.
    PostMessageA(GetDlgItem(first, IDC_ALERT_CLOSE), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts().FirstDialogFor(KeyOf("乙")), second);
    EXPECT_EQ(DayListNames(), (Strings{"甲", "乙"}));  // closing keeps both events

    PostMessageA(GetDlgItem(second, IDC_ALERT_DONOTRUN), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(DayListNames(), (Strings{"甲", "乙"}));
}

TEST_F(ClockEventsTest, SoundOnlyWithoutASoundFileBeepsAndShowsNothing) {
    auto quiet = Event("quiet", 10, 0);
    quiet.SoundOnly = true;
    auto wav = Event("wav", 10, 0);
    wav.SoundOnly = true;
    wav.WavFile = "chime.wav";
    wav.LoopSound = true;  // never loops without a dialog to stop it
    AppendEvent(quiet);
    AppendEvent(wav);
    StartAt(9, 59, 0);
    At(10, 0, 0);
    EXPECT_EQ(system.calls, (Strings{"beep", "sound|chime.wav|1"}));
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    EXPECT_TRUE(StoredNames().empty());
}

TEST_F(ClockEventsTest, OwnLoopSurvivesItsReminderClosingAndStopsWhenItsMessageIsAnswered) {
    auto e = Event("起床", 7, 0);
    e.WavFile = "alarm.wav";
    e.LoopSound = true;
    e.Remind = 60;
    AppendEvent(e);
    StartAt(6, 58, 0);
    At(6, 59, 0);
    EXPECT_EQ(system.calls, Strings{"sound|alarm.wav|9"});

    At(7, 0, 0);
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    HWND message = OnlyDialog(kMessageTitle);
    ASSERT_NE(message, nullptr);
    // The reminder's loop stops as it closes; the event's own loop starts after it.
    EXPECT_EQ(system.calls, (Strings{"sound|alarm.wav|9", "sound||0", "sound|alarm.wav|9"}));
    At(7, 0, 5);
    Pump();
    EXPECT_EQ(system.calls.size(), 3u);  // nothing late stops the event's loop

    Press(message, IDC_ALERT_CLOSE);
    EXPECT_EQ(system.calls, (Strings{"sound|alarm.wav|9", "sound||0", "sound|alarm.wav|9",
                                     "sound||0"}));
}

TEST_F(ClockEventsTest, AnyAnswerStopsALoopAndANewSoundReplacesIt) {
    auto loud = Event("loud", 8, 0);
    loud.WavFile = "loop.wav";
    loud.LoopSound = true;
    auto later = Event("later", 8, 30);
    later.Remind = 60;
    auto other = Event("other", 8, 40);
    other.WavFile = "once.wav";
    for (auto* x : {&loud, &later, &other}) AppendEvent(*x);
    StartAt(7, 59, 0);
    At(8, 0, 0);
    HWND loudMessage = OnlyDialog(kMessageTitle);
    ASSERT_NE(loudMessage, nullptr);
    At(8, 29, 0);
    // Closing a reminder of another event answers an alert: the loop stops.
    Press(OnlyDialog(kReminderTitle), IDC_ALERT_CLOSE);
    EXPECT_EQ(system.calls, (Strings{"sound|loop.wav|9", "beep", "sound||0"}));
    system.calls.clear();
    Press(loudMessage, IDC_ALERT_CLOSE);
    EXPECT_TRUE(system.calls.empty());  // nothing loops any more

    At(8, 30, 0);
    Press(OnlyDialog(kMessageTitle), IDC_ALERT_CLOSE);
    system.calls.clear();
    // A loop replaced by another event's sound is stopped first.
    auto again = Event("again", 8, 35);
    again.WavFile = "loop.wav";
    again.LoopSound = true;
    AppendEvent(again);
    SendMessageA(clock->hwnd(), WM_CLOCK_RELOADEVENTS, 0, 0);
    At(8, 35, 0);
    At(8, 40, 0);
    EXPECT_EQ(system.calls, (Strings{"sound|loop.wav|9", "sound||0", "sound|once.wav|1"}));
}

TEST_F(ClockEventsTest, ShutdownEventPowersOffThroughTheSeamWithThePrivilege) {
    auto e = Event("关机", 23, 0);
    e.Action = ShutDown;
    e.WavFile = "never.wav";
    AppendEvent(e);
    StartAt(22, 59, 0);
    At(23, 0, 0);
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_EQ(version.dwPlatformId, 2u);
    ASSERT_GE(version.dwMajorVersion, 5u);
    // Power off, force only hanging programs; no sound.
    EXPECT_EQ(system.calls, Strings{"shutdown|24|1"});
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
}

TEST_F(ClockEventsTest, DisabledEventNeverFiresAndDoesNotStopTheScan) {
    auto off = Event("off", 9, 0);
    off.Enabled = false;
    off.Remind = 30;
    auto on = Event("on", 9, 30);
    AppendEvent(off);
    AppendEvent(on);
    StartAt(8, 0, 0);
    EXPECT_EQ(DayListNames(), (Strings{"off", "on"}));
    At(9, 0, 0);
    EXPECT_TRUE(system.calls.empty());
    At(9, 30, 0);
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 1u);
    EXPECT_EQ(system.calls, Strings{"beep"});
    EXPECT_EQ(DayListNames(), Strings{"off"});
    EXPECT_EQ(StoredNames(), Strings{"off"});
}

TEST_F(ClockEventsTest, AShownReminderDoesNotHoldBackAnEventWhoseTimeHasCome) {
    auto longReminder = Event("long", 10, 0);
    longReminder.Remind = 3600;
    AppendEvent(longReminder);
    AppendEvent(Event("short", 9, 30));
    StartAt(8, 0, 0);
    At(9, 0, 0);
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 1u);
    At(9, 30, 0);
    HWND message = OnlyDialog(kMessageTitle);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(ItemText(message, IDC_ALERT_TEXT), "short");
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 1u);  // the other reminder stays open
}

TEST_F(ClockEventsTest, TwoTicksBeforeTheHandlingPostOnce) {
    auto e = Event("once", 10, 0);
    e.Remind = 10;
    AppendEvent(e);
    StartAt(9, 59, 0);
    time.Set(CivilTime{2026, 12, 9, 9, 59, 50, 0});
    Tick(*clock);
    time.Set(CivilTime{2026, 12, 9, 9, 59, 51, 0});
    Tick(*clock);
    Pump();
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 1u);
    time.Set(CivilTime{2026, 12, 9, 10, 0, 0, 0});
    Tick(*clock);
    time.Set(CivilTime{2026, 12, 9, 10, 0, 1, 0});
    Tick(*clock);
    Pump();
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 1u);
}

TEST_F(ClockEventsTest, AReloadBetweenPostAndHandlingIsSafe) {
    AppendEvent(Event("kept", 10, 0));
    AppendEvent(Event("removed", 10, 0));
    StartAt(9, 59, 0);
    time.Set(CivilTime{2026, 12, 9, 10, 0, 0, 0});
    Tick(*clock);  // both posted, not yet handled
    // Meanwhile the settings program saves a list without "removed" and asks for a reload.
    EventList stored;
    LoadEvents(false, stored);
    stored.erase(stored.begin() + 1);
    SaveEvents(stored);
    SendMessageA(clock->hwnd(), WM_CLOCK_RELOADEVENTS, 0, 0);
    Pump();
    auto messages = Dialogs(kMessageTitle);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(ItemText(messages[0], IDC_ALERT_TEXT), "kept");
    EXPECT_TRUE(clock->dayList().empty());
    EXPECT_TRUE(StoredNames().empty());
}

TEST_F(ClockEventsTest, AReloadWhileAReminderIsOpenDoesNotRemindAgain) {
    auto e = Event("提醒我", 10, 0);
    e.Remind = 120;
    AppendEvent(e);
    StartAt(9, 57, 0);
    At(9, 58, 0);
    ASSERT_EQ(Dialogs(kReminderTitle).size(), 1u);
    SendMessageA(clock->hwnd(), WM_CLOCK_RELOADEVENTS, 0, 0);
    At(9, 58, 1);
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 1u);
    EXPECT_EQ(system.calls, Strings{"beep"});
}

TEST_F(ClockEventsTest, EventsSharingAnIdAreEachTheirOwn) {
    // Copied within one second: three records, one Id.
    auto off = Event("关", 9, 0);
    off.Frequency = Daily;
    off.Enabled = false;
    auto a = Event("甲", 10, 0);
    a.Remind = 60;
    auto b = a;
    b.Name = "乙";
    off.Id = a.Id;
    for (auto* e : {&off, &a, &b}) AppendEvent(*e);
    StartAt(9, 58, 0);
    At(9, 59, 0);
    At(9, 59, 1);
    At(9, 59, 2);
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 2u);  // each reminded once
    EXPECT_EQ(system.calls, (Strings{"beep", "beep"}));
    HWND second = Alerts().FirstDialogFor(KeyOf("乙"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(ItemText(second, IDC_ALERT_TEXT), "乙");

    Press(second, IDC_ALERT_DONOTRUN);
    EXPECT_EQ(StoredNames(), (Strings{"关", "甲"}));
    At(10, 0, 0);
    HWND message = OnlyDialog(kMessageTitle);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(ItemText(message, IDC_ALERT_TEXT), "甲");
    EXPECT_EQ(StoredNames(), Strings{"关"});
    EXPECT_EQ(DayListNames(), Strings{"关"});
}

TEST_F(ClockEventsTest, AClockSetBackOrForwardFiresByTheNewTimeButOnce) {
    auto tomorrow = Event("明天", 9, 0);
    tomorrow.FreqDetail0 = DayNumberOf(2026, 12, 10);
    auto nightly = Event("每晚", 23, 55);
    nightly.Frequency = Daily;
    AppendEvent(tomorrow);
    AppendEvent(nightly);
    StartAt(23, 0, 0);
    At(0, 20, 0, 1);
    EXPECT_EQ(DayListNames(), (Strings{"明天", "每晚"}));

    time.Set(CivilTime{2026, 12, 9, 23, 50, 0, 0});
    SendMessageA(clock->hwnd(), WM_TIMECHANGE, 0, 0);
    At(23, 50, 0);
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    EXPECT_EQ(StoredNames(), (Strings{"明天", "每晚"}));
    EXPECT_EQ(DayListNames(), Strings{"每晚"});

    time.Set(CivilTime{2026, 12, 9, 23, 58, 0, 0});
    SendMessageA(clock->hwnd(), WM_TIMECHANGE, 0, 0);
    At(23, 58, 0);
    HWND message = OnlyDialog(kMessageTitle);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(ItemText(message, IDC_ALERT_TEXT), "每晚");
    Press(message, IDC_ALERT_CLOSE);

    time.Set(CivilTime{2026, 12, 9, 23, 54, 0, 0});  // back past what fired: it stays done
    SendMessageA(clock->hwnd(), WM_TIMECHANGE, 0, 0);
    At(23, 54, 0);
    At(23, 55, 0);
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
}

TEST_F(ClockEventsTest, APostHandledAfterTheClockWasSetBackWaitsForItsTime) {
    AppendEvent(Event("十点", 10, 0));
    StartAt(9, 59, 0);
    time.Set(CivilTime{2026, 12, 9, 10, 0, 0, 0});
    Tick(*clock);  // posted, not yet handled
    time.Set(CivilTime{2026, 12, 9, 9, 0, 0, 0});
    SendMessageA(clock->hwnd(), WM_TIMECHANGE, 0, 0);
    Pump();
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    EXPECT_EQ(StoredNames(), Strings{"十点"});
    At(10, 0, 0);
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 1u);
}

TEST_F(ClockEventsTest, AlertMessagesOtherProgramsCanSendAreNotTrusted) {
    auto e = Event("提醒", 10, 0);
    e.Remind = 60;
    AppendEvent(e);
    StartAt(9, 58, 0);
    At(9, 59, 0);
    HWND reminder = OnlyDialog(kReminderTitle);
    ASSERT_NE(reminder, nullptr);
    HWND window = clock->hwnd();
    const UINT answer = WM_USER + 2004;  // once an alert's answer, naming its dialog
    SendMessageA(window, answer, 0, 1);
    SendMessageA(window, answer, kAlertChoiceDoNotRun, reinterpret_cast<LPARAM>(reminder));
    SendMessageA(reminder, WM_USER + 2003, 0, 1);  // once the text, as a pointer
    SendMessageA(window, WM_CLOCK_EVENTDUE, 0, 12345);
    Pump();
    EXPECT_TRUE(IsWindow(reminder));
    EXPECT_EQ(ItemText(reminder, IDC_ALERT_TEXT), "提醒");
    EXPECT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(StoredNames(), Strings{"提醒"});

    Press(reminder, IDC_ALERT_DONOTRUN);  // the dialog's own answer counts
    EXPECT_TRUE(StoredNames().empty());
}

TEST_F(ClockEventsTest, MidnightLosesNothing) {
    auto late = Event("深夜", 23, 59, 58);
    auto midnight = Event("午夜", 0, 0);
    midnight.FreqDetail0 = DayNumberOf(2026, 12, 10);
    auto early = Event("凌晨", 0, 5);
    early.FreqDetail0 = midnight.FreqDetail0;
    early.Remind = 600;
    for (auto* e : {&late, &midnight, &early}) AppendEvent(*e);
    StartAt(23, 54, 58);
    At(23, 55, 0);  // tomorrow's reminder falls tonight
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 1u);
    At(23, 59, 57);
    At(0, 0, 2, 1);  // the first tick of the day comes late
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 2u);
    At(0, 5, 0, 1);
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 3u);
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    EXPECT_EQ(system.calls, Strings(4, "beep"));
}

TEST_F(ClockEventsTest, LocalTimeStepsBackAnHourUnannouncedAndNothingFiresTwice) {
    auto nightly = Event("每晚", 2, 30);
    nightly.Frequency = Daily;
    AppendEvent(nightly);
    StartAt(2, 29, 59);
    At(2, 30, 0);
    Press(OnlyDialog(kMessageTitle), IDC_ALERT_CLOSE);
    At(2, 59, 59);
    At(2, 0, 0);  // daylight saving time ends: no WM_TIMECHANGE
    AppendEvent(Event("新", 2, 10));
    SendMessageA(clock->hwnd(), WM_CLOCK_RELOADEVENTS, 0, 0);
    At(2, 10, 0);
    At(2, 30, 0);
    HWND message = OnlyDialog(kMessageTitle);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(ItemText(message, IDC_ALERT_TEXT), "新");
}

TEST_F(ClockEventsTest, AReloadKeepsAClosedReminderAndADoNotRunAnswer) {
    auto closed = Event("关闭我", 10, 10);
    closed.Frequency = Daily;
    closed.Remind = 600;
    auto skipped = Event("跳过我", 10, 5);
    skipped.Frequency = Daily;
    skipped.Remind = 120;
    AppendEvent(closed);
    AppendEvent(skipped);
    StartAt(9, 59, 59);
    At(10, 0, 0);
    Press(OnlyDialog(kReminderTitle), IDC_ALERT_CLOSE);
    At(10, 3, 0);
    Press(OnlyDialog(kReminderTitle), IDC_ALERT_DONOTRUN);
    SendMessageA(clock->hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    At(10, 3, 1);
    At(10, 5, 0);
    EXPECT_TRUE(Dialogs(kReminderTitle).empty());
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    At(10, 10, 0);
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 1u);
    EXPECT_EQ(system.calls, Strings(3, "beep"));
}

TEST_F(ClockEventsTest, AReminderStaysTiedToItsEventWhenTheEventIsEdited) {
    auto e = Event("旧", 10, 0);
    e.Remind = 120;
    AppendEvent(e);
    StartAt(9, 57, 59);
    At(9, 58, 0);
    HWND reminder = OnlyDialog(kReminderTitle);
    ASSERT_NE(reminder, nullptr);
    // The settings program saves it renamed and a minute later, and asks for a reload.
    EventList stored;
    LoadEvents(false, stored);
    stored[0]->Name = "新";
    stored[0]->Time += 60 / 86400.0;
    SaveEvents(stored);
    SendMessageA(clock->hwnd(), WM_CLOCK_RELOADEVENTS, 0, 0);
    At(9, 59, 0);
    EXPECT_EQ(Dialogs(kReminderTitle).size(), 1u);
    Press(reminder, IDC_ALERT_DONOTRUN);
    EXPECT_TRUE(StoredNames().empty());
    At(10, 1, 0);
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
}

TEST_F(ClockEventsTest, AResumeSeventyMinutesLaterListsWhatPassedAndRunsNothingLate) {
    auto meeting = Event("开会", 9, 30);
    auto off = Event("关机", 10, 0);
    off.Action = ShutDown;
    off.Frequency = Daily;
    auto backup = Event("备份", 10, 8);
    backup.Action = RunProgram;
    backup.Run = "backup.exe";
    auto lunch = Event("午饭", 10, 30);
    lunch.Remind = 3000;  // 09:40
    for (auto* e : {&meeting, &off, &backup, &lunch}) AppendEvent(*e);
    StartAt(9, 0, 0);
    SendMessageA(clock->hwnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    time.Set(CivilTime{2026, 12, 9, 10, 10, 0, 0});
    SendMessageA(clock->hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    Pump();
    // Two minutes late still runs as usual.
    EXPECT_EQ(CallsOnceStarted(), (Strings{"beep", "start|backup.exe||"}));
    HWND missed = MissedEventsWindow();
    ASSERT_NE(missed, nullptr);
    EXPECT_EQ(WindowText(missed), "错过的事件");
    EXPECT_EQ(MissedRows(missed), (Strings{"09.12.2026 09:30:00|开会|1|显示消息",
                                           "09.12.2026 09:40:00|午饭|1|提醒",
                                           "09.12.2026 10:00:00|关机|1|关机"}));
    Press(missed, IDC_ALERT_CLOSE);
    EXPECT_FALSE(IsWindow(missed));
    At(10, 30, 0);
    EXPECT_EQ(ItemText(OnlyDialog(kMessageTitle), IDC_ALERT_TEXT), "午饭");
    EXPECT_EQ(system.calls.size(), 3u);
}

TEST_F(ClockEventsTest, AStartAfterAGapListsWhatWasMissedSinceTheLastRun) {
    auto nightly = Event("每晚", 23, 0);
    nightly.Frequency = Daily;
    auto once = Event("一次", 23, 30);
    auto morning = Event("每早", 9, 0, 15);
    morning.Frequency = Daily;
    for (auto* e : {&nightly, &once, &morning}) AppendEvent(*e);
    StartAt(9, 0, 0);  // the first start: no record, nothing listed
    EXPECT_EQ(MissedEventsWindow(), nullptr);
    At(9, 0, 30);  // fires 每早: the close records that it ran until after it
    SendMessageA(clock->hwnd(), WM_CLOSE, 0, 0);
    Pump();

    time.Set(CivilTime{2026, 12, 12, 8, 0, 0, 0});
    clock = StartClock();
    Pump();
    HWND missed = MissedEventsWindow();
    ASSERT_NE(missed, nullptr);
    EXPECT_EQ(MissedRows(missed), (Strings{"09.12.2026 23:30:00|一次|1|显示消息",
                                           "11.12.2026 09:00:15|每早|2|显示消息",
                                           "11.12.2026 23:00:00|每晚|3|显示消息"}));
    EXPECT_EQ(system.calls, Strings{"beep"});  // only 每早 on the first day
    EXPECT_EQ(StoredNames(), (Strings{"每晚", "每早"}));  // listed before 一次 was pruned
    double lastRun = 0;
    ASSERT_TRUE(ReadLastRun(&lastRun));
    EXPECT_EQ(CivilTimeOf(lastRun).day, 12);
}

TEST_F(ClockEventsTest, AClockSetForwardByHandFiresWhatItPassedButNoLateShutdown) {
    auto note = Event("便条", 10, 0);
    auto late = Event("晚了", 10, 30);
    late.Action = ShutDown;
    auto justInTime = Event("刚好", 10, 58);
    justInTime.Action = ShutDown;
    for (auto* e : {&note, &late, &justInTime}) AppendEvent(*e);
    StartAt(9, 0, 0);
    time.Set(CivilTime{2026, 12, 9, 11, 0, 0, 0});
    SendMessageA(clock->hwnd(), WM_TIMECHANGE, 0, 0);
    At(11, 0, 0);
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 1u);
    EXPECT_EQ(system.calls, (Strings{"beep", "shutdown|24|1"}));
    ASSERT_NE(MissedEventsWindow(), nullptr);
    EXPECT_EQ(MissedRows(MissedEventsWindow()), Strings{"09.12.2026 10:30:00|晚了|1|关机"});
}

TEST_F(ClockEventsTest, AFailedProgramStartIsSilent) {
    system.startResult = false;
    auto e = Event("missing", 10, 0);
    e.Action = RunProgram;
    e.Run = "C:\\nowhere\\missing.exe";
    AppendEvent(e);
    StartAt(9, 59, 0);
    At(10, 0, 0);
    EXPECT_EQ(CallsOnceStarted(), Sorted({"start|C:\\nowhere\\missing.exe||", "beep"}));
    EXPECT_TRUE(Dialogs(kMessageTitle).empty());
    EXPECT_TRUE(StoredNames().empty());
}

namespace {
// Starts that come back only when released (or after 10 s), as a program on a network share
// that does not answer.
class HangingStarts : public RecordingSystem {
public:
    ~HangingStarts() override {
        SetEvent(release_.get());
        EXPECT_TRUE(WaitForBackgroundStarts(15000));
    }
    bool StartProgram(const ProgramStart& start) override {
        // S_FALSE: the thread was put in an apartment before it was handed the start.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(com)) CoUninitialize();
        inApartment = com == S_FALSE;
        entered = true;
        WaitForSingleObject(release_.get(), 10000);
        returned = true;
        return RecordingSystem::StartProgram(start);
    }
    std::atomic<bool> entered{false}, returned{false}, inApartment{false};

private:
    UniqueKernelHandle release_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};
}  // namespace

TEST_F(ClockEventsTest, AHangingProgramStartLeavesTheFaceTickingAndTheNextEventOnTime) {
    HangingStarts share;
    RegWriteDword(reg::kOptionsKey, reg::kSeconds, 1);
    auto run = Event("共享上的程序", 10, 0);
    run.Action = RunProgram;
    run.Run = "\\\\server\\share\\tool.exe";
    AppendEvent(run);
    AppendEvent(Event("下一个", 10, 0, 2));
    StartAt(9, 59, 59);
    At(10, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return share.entered.load(); }, 10000));
    EXPECT_TRUE(share.inApartment);
    const std::string before = clock->clockText();
    At(10, 0, 1);
    EXPECT_NE(clock->clockText(), before);
    At(10, 0, 2);
    EXPECT_EQ(Dialogs(kMessageTitle).size(), 1u);
    EXPECT_FALSE(share.returned) << "the clock waited for the start";
}

TEST(ProgramStartSeam, AMissingProgramFailsWithoutAnErrorBox) {
    // The real seam: were the shell allowed to show its error box, this would block here.
    DWORD started = GetTickCount();
    EXPECT_FALSE(System().StartProgram({"C:\\nowhere\\missing-program.exe", "", ""}));
    EXPECT_LT(GetTickCount() - started, 5000u);
    EXPECT_TRUE(Dialogs("错误").empty());
}

TEST(AlertDialog, ResourceAndModes) {
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND reminder = CreateAlertDialog(GetModuleHandleA(nullptr), owner, nullptr, "文字", true);
    ASSERT_NE(reminder, nullptr);
    EXPECT_EQ(WindowText(reminder), kReminderTitle);
    EXPECT_EQ(GetWindowLongPtrA(reminder, GWLP_USERDATA), 1);
    EXPECT_EQ(ItemText(reminder, IDC_ALERT_TEXT), "文字");
    EXPECT_EQ(ItemText(reminder, IDC_ALERT_CLOSE), "关闭");
    EXPECT_EQ(ItemText(reminder, IDC_ALERT_DONOTRUN), "不执行它!");
    EXPECT_EQ(ItemText(reminder, IDC_ALERT_RUNNOW), "立即执行!");
    EXPECT_EQ(GetWindowLongA(GetDlgItem(reminder, IDC_ALERT_CLOSE), GWL_STYLE) & BS_TYPEMASK,
              BS_DEFPUSHBUTTON);
    EXPECT_EQ(LOWORD(SendMessageA(reminder, DM_GETDEFID, 0, 0)), IDC_ALERT_CLOSE);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(reminder, IDC_ALERT_TEXT), GWL_STYLE) & SS_TYPEMASK,
              SS_CENTER);

    HWND message = CreateAlertDialog(GetModuleHandleA(nullptr), owner, nullptr, "消息", false);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(WindowText(message), kMessageTitle);
    EXPECT_EQ(GetWindowLongPtrA(message, GWLP_USERDATA), 0);
    EXPECT_EQ(ItemText(message, IDC_ALERT_CLOSE), "确定");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(message, IDC_ALERT_DONOTRUN)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(message, IDC_ALERT_RUNNOW)));
    // The dialog's size in dialog units: 186 by 63.
    RECT units{0, 0, 186, 63};
    MapDialogRect(message, &units);
    RECT client;
    GetClientRect(message, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);

    // An unknown command is not an answer.
    EXPECT_EQ(SendMessageA(message, WM_COMMAND, 4711, 0), 0);
    EXPECT_TRUE(IsWindow(message));
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(message));
    EXPECT_FALSE(IsWindow(reminder));
}
