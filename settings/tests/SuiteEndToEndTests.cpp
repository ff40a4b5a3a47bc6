// The three programs together, as a user runs them: the real clock, the real settings
// program and (for the internet time options) the real Chronet, in the test prefix's own
// registry. Everything is driven from outside by posted messages and keys.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "framework/testing/TestSupport.h"
#include "settings/EventsPageRes.h"
#include "store/ClockOptions.h"
#include "store/EventStore.h"
#include "store/SuiteContract.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr char kAlertTitle[] = "Tembra Clock - 警告";
constexpr int kAlertTextId = 1001;

// The clock's popup menu, chosen with the arrow keys: how many times Down is pressed from
// the top. With no settings window open the menu starts with the options submenu; with one
// open it starts with the item that switches to it.
constexpr int kSwitchItem = 1;
constexpr int kSettingsItem = 2;
constexpr int kNewEventItem = 3;
constexpr int kEventListItem = 4;

struct WindowsOf {
    DWORD pid;
    const char* className;
    const char* title;
    std::vector<HWND> found;
};
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<WindowsOf*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char className[64] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if ((search->pid == 0 || pid == search->pid) && IsWindowVisible(hwnd) &&
        (!search->className || std::string(className) == search->className) &&
        (!search->title || WindowText(hwnd) == search->title))
        search->found.push_back(hwnd);
    return TRUE;
}
// Visible top-level windows of process `pid` (0: any) with this class and title (null: any).
std::vector<HWND> VisibleWindows(DWORD pid, const char* className, const char* title) {
    WindowsOf search{pid, className, title, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
HWND WaitForVisible(DWORD pid, const char* className, const char* title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] {
        auto windows = VisibleWindows(pid, className, title);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    }, timeoutMs);
    return found;
}

int CurrentPageIndex(HWND sheet) {
    const LRESULT page = SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    return static_cast<int>(SendMessageA(sheet, PSM_HWNDTOINDEX, page, 0));
}
HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
void PressSheetButton(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

// A one-time event today at `at` (a date-time value), as the settings program stores it.
EventRecord OneTimeAt(double at, const char* name, double id) {
    EventRecord e = EventRecord::NewAt(id);
    e.Name = name;
    e.FreqDetail0 = DayPart(at);
    e.Time = TimePart(at);
    return e;
}
void Store(const std::vector<EventRecord>& events) {
    EventList list;
    for (const EventRecord& e : events) list.push_back(std::make_unique<EventRecord>(e));
    SaveEvents(list);
}
EventList StoredEvents() {
    EventList list;
    LoadEvents(false, list);
    return list;
}
bool SameEvents(const EventList& a, const EventList& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameStoredValues(*a[i], *b[i])) return false;
    return true;
}

// Every value under a key, type and bytes, to tell whether anything changed.
std::map<std::string, std::string> RawValues(const std::string& path) {
    std::map<std::string, std::string> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name, type = 0, size = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        std::string data(size, '\0');
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        values[name] = std::to_string(type) + ":" + data;
    }
    RegCloseKey(key);
    return values;
}

class SuiteTest : public ::testing::Test {
protected:
    ChildProcess clockProcess, settings;
    HWND clock = nullptr;
    std::string recordFile;

    void SetUp() override {
        // A clock of an earlier test may still be on its way out.
        if (HWND stray = FindWindowA(kClockClassName, nullptr))
            SendMessageA(stray, WM_ENDSESSION, TRUE, 0);
        ASSERT_TRUE(WaitForNoWindow(kClockClassName, 20000));
        RegDeleteTreeAt("Software\\Tembra");
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        recordFile = std::string(dir) + "tembra-suite-" + std::to_string(GetCurrentProcessId()) +
                     ".log";
        DeleteFileA(recordFile.c_str());
    }
    void TearDown() override {
        CloseSettingsWindows();
        if (!settings.WaitExit(10000)) settings.Kill();
        if (clock && IsWindow(clock)) SendMessageA(clock, WM_ENDSESSION, TRUE, 0);
        if (!clockProcess.WaitExit(10000)) clockProcess.Kill();
        RegDeleteTreeAt("Software\\Tembra");
        DeleteFileA(recordFile.c_str());
    }
    // Whatever settings window is still open, of this program or of one the clock started.
    void CloseSettingsWindows() {
        for (HWND sheet : VisibleWindows(0, "#32770", kSettingsSheetTitle))
            PressSheetButton(sheet, PSBTN_CANCEL);
        for (HWND editor : VisibleWindows(0, "#32770", kNewEventTitle))
            PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
        WaitUntil([] {
            return VisibleWindows(0, "#32770", kSettingsSheetTitle).empty() &&
                   VisibleWindows(0, "#32770", kNewEventTitle).empty();
        }, 10000);
    }

    // The clock; with `recordActions` its sounds and program starts only go to a file.
    void StartClock(bool recordActions) {
        std::vector<std::string> environment;
        if (recordActions) environment.push_back("TEMBRA_RECORD_SYSTEM_CALLS=" + recordFile);
        ASSERT_TRUE(clockProcess.Start(BinDir() + "\\" + kClockProgram, "", environment));
        clock = WaitForProcessWindow(clockProcess.pid(), kClockClassName, 20000);
        ASSERT_NE(clock, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(clock) != FALSE; }, 15000));
    }
    bool ClockAlive() {
        DWORD_PTR result = 0;
        return IsWindow(clock) && !clockProcess.WaitExit(0) &&
               SendMessageTimeoutA(clock, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }

    // Opens the clock's menu with a right click and picks the item `downs` presses of Down
    // from the top. True once the menu has closed on that choice.
    bool ChooseFromClockMenu(int downs) {
        PostMessageA(clock, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
        HWND menu = WaitForVisible(clockProcess.pid(), "#32768", nullptr, 10000);
        if (!menu) return false;
        for (int i = 0; i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        return WaitUntil([&] { return !IsWindowVisible(menu); }, 5000);
    }
    // Whether `window` comes to the foreground. The clock's call only hands the foreground
    // over; the window's own program activates it on its thread, and until then the
    // foreground is no window at all.
    static bool ComesToTheFront(HWND window) {
        return WaitUntil([&] { return GetForegroundWindow() == window; }, 10000);
    }

    // The settings program started by the test with `args`, and its sheet.
    HWND OpenSheet(const std::string& args) {
        if (!settings.Start(BinDir() + "\\" + kSettingsProgram, args)) return nullptr;
        HWND sheet = WaitForVisible(settings.pid(), "#32770", kSettingsSheetTitle, 20000);
        // The current page exists once the sheet has finished starting.
        if (sheet) WaitUntil([&] { return CurrentPage(sheet) != nullptr; }, 5000);
        return sheet;
    }
    // Selects row `row` of the events page's list with the keyboard (Home, then Down).
    static bool SelectRow(HWND page, int row) {
        HWND list = GetDlgItem(page, IDC_EVENT_LIST);
        PostMessageA(list, WM_KEYDOWN, VK_HOME, 0);
        for (int i = 0; i < row; ++i) PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        return WaitUntil([&] {
            return SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == row;
        }, 5000);
    }
    static int RowCount(HWND page) {
        return static_cast<int>(SendDlgItemMessageA(page, IDC_EVENT_LIST, LVM_GETITEMCOUNT, 0, 0));
    }
    static void Click(HWND page, int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }

    // Texts of the clock's open alert dialogs.
    std::vector<std::string> AlertTexts() {
        std::vector<std::string> texts;
        for (HWND alert : VisibleWindows(clockProcess.pid(), nullptr, kAlertTitle))
            texts.push_back(ItemText(alert, kAlertTextId));
        std::sort(texts.begin(), texts.end());
        return texts;
    }
};

// A window of the test's own that holds the foreground before the menu opens.
class SomeoneElse {
public:
    SomeoneElse() {
        window_ = CreateWindowExA(0, "STATIC", "someone else", WS_POPUP | WS_VISIBLE, 300, 300,
                                  120, 60, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(window_);
    }
    ~SomeoneElse() { DestroyWindow(window_); }
    SomeoneElse(const SomeoneElse&) = delete;
    SomeoneElse& operator=(const SomeoneElse&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

}  // namespace

// "参数设置" opens the sheet on its first page, "显示事件列表" on the events; while it is open
// the menu's first item switches to it instead.
TEST_F(SuiteTest, ClockMenuOpensTheSheetOnItsPageAndThenSwitchesToIt) {
    StartClock(false);
    ChooseFromClockMenu(kSettingsItem);
    HWND sheet = WaitForVisible(0, "#32770", kSettingsSheetTitle, 20000);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(CurrentPageIndex(sheet), 0);
    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 10000));

    ChooseFromClockMenu(kEventListItem);
    sheet = WaitForVisible(0, "#32770", kSettingsSheetTitle, 20000);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(CurrentPageIndex(sheet), 1);
    SomeoneElse other;
    ASSERT_EQ(GetForegroundWindow(), other.get());
    ASSERT_TRUE(ChooseFromClockMenu(kSwitchItem));
    EXPECT_TRUE(ComesToTheFront(sheet));
    EXPECT_EQ(VisibleWindows(0, "#32770", kSettingsSheetTitle).size(), 1u);
}

// "新建事件" opens the editor alone; while it is open the menu's first item switches to it.
TEST_F(SuiteTest, ClockMenuOpensTheNewEventEditorAndThenSwitchesToIt) {
    StartClock(false);
    ChooseFromClockMenu(kNewEventItem);
    HWND editor = WaitForVisible(0, "#32770", kNewEventTitle, 20000);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(VisibleWindows(0, "#32770", kSettingsSheetTitle).empty());
    SomeoneElse other;
    ASSERT_EQ(GetForegroundWindow(), other.get());
    ASSERT_TRUE(ChooseFromClockMenu(kSwitchItem));
    EXPECT_TRUE(ComesToTheFront(editor));
    EXPECT_EQ(VisibleWindows(0, "#32770", kNewEventTitle).size(), 1u);
}

// Three events due together; the middle one is deleted on the events page and applied
// before they come: the store keeps the other two, and the clock fires exactly those.
TEST_F(SuiteTest, DeleteThenApplyRemovesExactlyThatEventFromTheStoreAndTheClock) {
    const double now = CurrentDateValue();
    const double due = now + 20 / 86400.0;
    Store({OneTimeAt(due, "甲", now - 3 / 86400.0), OneTimeAt(due, "乙", now - 2 / 86400.0),
           OneTimeAt(due, "丙", now - 1 / 86400.0)});
    StartClock(true);
    HWND sheet = OpenSheet("1");
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    ASSERT_EQ(RowCount(page), 3);
    ASSERT_TRUE(SelectRow(page, 1));
    Click(page, IDC_EVENT_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return RowCount(page) == 2; }, 5000));
    EXPECT_EQ(StoredEvents().size(), 3u);  // nothing stored before Apply
    PressSheetButton(sheet, PSBTN_APPLYNOW);
    ASSERT_TRUE(WaitUntil([&] { return StoredEvents().size() == 2; }, 5000));
    ASSERT_LT(CurrentDateValue(), due) << "the machine was too slow to apply before the events came";
    const EventList stored = StoredEvents();
    EXPECT_EQ(stored[0]->Name, "甲");
    EXPECT_EQ(stored[1]->Name, "丙");

    ASSERT_TRUE(WaitUntil([&] { return AlertTexts().size() >= 2; }, 40000));
    PumpMessages(3000);  // a third would come with the other two
    EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"丙", "甲"}));
    EXPECT_TRUE(StoredEvents().empty());  // fired one-time events leave the store
}

// While the sheet is open the clock fires a one-time event and deletes it, and another
// program adds an event as `TCSets n` does; OK then stores only the page's own change.
TEST_F(SuiteTest, OkKeepsWhatTheClockDeletedAndAnotherProgramAddedWhileTheSheetWasOpen) {
    const double now = CurrentDateValue();
    const double due = now + 15 / 86400.0;
    Store({OneTimeAt(due, "到点", now - 2 / 86400.0), OneTimeAt(now + 1, "明天", now - 1 / 86400.0),
           OneTimeAt(now + 2, "后天", now)});
    StartClock(true);
    HWND sheet = OpenSheet("1");
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    ASSERT_EQ(RowCount(page), 3);
    ASSERT_LT(CurrentDateValue(), due) << "the machine was too slow to open the sheet before the event came";
    ASSERT_TRUE(SelectRow(page, 2));
    Click(page, IDC_EVENT_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return RowCount(page) == 2; }, 5000));
    ASSERT_TRUE(WaitUntil([&] { return AlertTexts() == std::vector<std::string>{"到点"}; }, 40000));
    ASSERT_TRUE(WaitUntil([&] { return StoredEvents().size() == 2; }, 5000));
    ASSERT_TRUE(AppendEvent(OneTimeAt(now + 3, "新加的", CurrentDateValue())));
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(settings.WaitExit(10000));
    std::vector<std::string> names;
    for (const auto& e : StoredEvents()) names.push_back(e->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"明天", "新加的"}));
}

TEST_F(SuiteTest, DeleteThenCancelLeavesTheStoreAsItWas) {
    const double now = CurrentDateValue();
    EventRecord weekly = OneTimeAt(now + 1, "每周例会", now - 1);
    weekly.Frequency = Weekly;
    weekly.FreqDetail2 = 2;
    Store({OneTimeAt(now + 2, "甲", now), weekly});
    const EventList before = StoredEvents();
    HWND sheet = OpenSheet("1");
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    ASSERT_TRUE(SelectRow(page, 0));
    Click(page, IDC_EVENT_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return RowCount(page) == 1; }, 5000));
    PressSheetButton(sheet, PSBTN_CANCEL);
    DWORD code = 99;
    ASSERT_TRUE(settings.WaitExit(10000, &code));
    EXPECT_TRUE(SameEvents(StoredEvents(), before));
}

// Copy, then OK in the editor and OK on the sheet: the store gains the copy at its end, equal
// to its original in everything but the Id, which no other event has.
TEST_F(SuiteTest, CopyThenOkAddsADuplicateWithItsOwnIdAtTheEnd) {
    const double now = CurrentDateValue();
    EventRecord original = OneTimeAt(now, "备份", now - 10);
    original.Frequency = Daily;
    original.FreqDetail1 = 0x3E;
    original.Time = (7 * 3600 + 30 * 60 + 15) / 86400.0;
    original.Remind = 60;
    original.WavFile = "C:\\声音\\ding.wav";
    original.LoopSound = true;
    original.Action = RunProgram;
    original.Run = "C:\\tools\\backup.exe";
    original.RunParams = "/all";
    original.RunIn = "C:\\tools";
    Store({OneTimeAt(now + 1, "甲", now - 20), original});
    const EventList before = StoredEvents();
    HWND sheet = OpenSheet("1");
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    ASSERT_TRUE(SelectRow(page, 1));
    Click(page, IDC_EVENT_COPY);
    HWND editor = WaitForVisible(settings.pid(), "#32770", kNewEventTitle, 10000);
    ASSERT_NE(editor, nullptr);
    PostMessageA(GetDlgItem(editor, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return RowCount(page) == 3; }, 5000));
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(settings.WaitExit(10000));

    const EventList stored = StoredEvents();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_TRUE(SameStoredValues(*stored[0], *before[0]));
    EXPECT_TRUE(SameStoredValues(*stored[1], *before[1]));
    EventRecord expected = *before[1];
    expected.Id = stored[2]->Id;
    EXPECT_TRUE(SameStoredValues(*stored[2], expected)) << stored[2]->Name;
    EXPECT_NE(stored[2]->Id, stored[0]->Id);
    EXPECT_NE(stored[2]->Id, stored[1]->Id);
    EXPECT_GE(stored[2]->Id, now);
}

// OK, Cancel, the close box or the end of its process: the clock runs on, and neither its
// options nor the events lose anything.
TEST_F(SuiteTest, TheClockRunsOnAndLosesNothingHoweverTheSettingsProgramCloses) {
    const double now = CurrentDateValue();
    EventRecord daily = OneTimeAt(now, "喝水", now - 2);
    daily.Frequency = Daily;
    daily.FreqDetail1 = 0x7F;
    Store({OneTimeAt(now + 3, "甲", now - 1), daily});
    // A few options of the user's own; the rest have their defaults until the first OK.
    RegWriteDword(reg::kOptionsKey, "Seconds", 1);
    RegWriteDword(reg::kOptionsKey, "NoMove", 1);
    RegWriteDword(reg::kOptionsKey, "FontColor", 0x0000FF);
    RegWriteString(reg::kOptionsKey, "FontName", "Courier New");
    StartClock(true);
    const auto options = RawValues(reg::kOptionsKey);
    const EventList events = StoredEvents();
    ASSERT_EQ(options.size(), 6u);  // with "Alarms" and the clock's "LastRun"

    enum Way { Ok, Cancel, CloseBox, Ended };
    for (Way way : {Ok, Cancel, CloseBox, Ended}) {
        SCOPED_TRACE(way);
        HWND sheet = OpenSheet("1");
        ASSERT_NE(sheet, nullptr);
        // Both the events page and the General page are shown, so both save on OK.
        PostMessageA(sheet, PSM_SETCURSEL, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return CurrentPageIndex(sheet) == 0; }, 5000));
        switch (way) {
            case Ok: PressSheetButton(sheet, PSBTN_OK); break;
            case Cancel: PressSheetButton(sheet, PSBTN_CANCEL); break;
            case CloseBox: PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0); break;
            case Ended: settings.Kill(); break;
        }
        ASSERT_TRUE(settings.WaitExit(10000));
        EXPECT_TRUE(ClockAlive());
        EXPECT_TRUE(IsWindowVisible(clock));
        const auto stored = RawValues(reg::kOptionsKey);
        for (const auto& [name, value] : options) {
            ASSERT_TRUE(stored.count(name)) << name;
            // The clock's record of when it ran moves on; the settings program only keeps it.
            if (name != reg::kLastRun) {
                EXPECT_EQ(stored.at(name), value) << name;
            }
        }
        EXPECT_TRUE(SameEvents(StoredEvents(), events));
    }
}
