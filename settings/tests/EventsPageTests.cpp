// The Events page in a sheet against a private registry, with an editor that answers as the
// test tells it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "settings/EventsPage.h"
#include "settings/EventsPageRes.h"
#include "settings/tests/PageTestSupport.h"
#include "store/EventStore.h"
#include "store/EventStoreLock.h"
#include "store/tests/StoreLockHolder.h"

using namespace tembra;
using namespace tembra::test;

namespace {

// Every "now" of these tests: Wednesday 2027-03-03 10:00:00.
CivilTime FixedNow() { return {2027, 3, 3, 10, 0, 0, 0}; }

class FixedClock {
public:
    FixedClock() : previous_(SetLocalTimeSource(FixedNow)) {}
    ~FixedClock() { SetLocalTimeSource(previous_); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

private:
    LocalTimeSource previous_;
};

EventRecord Stored(const char* name, std::int32_t frequency, double id) {
    EventRecord e = EventRecord::NewAt(DateValueOf(FixedNow()));
    e.Name = name;
    e.Frequency = frequency;
    e.Time = 0.75;  // 18:00
    e.Id = id;
    return e;
}

void Store(std::initializer_list<EventRecord> events) {
    EventList list;
    for (const EventRecord& e : events) list.push_back(std::make_unique<EventRecord>(e));
    ASSERT_TRUE(SaveEvents(list));
}

EventList StoredEvents() {
    EventList list;
    LoadEvents(false, list);
    return list;
}
std::vector<std::string> StoredNames() {
    std::vector<std::string> names;
    for (const auto& e : StoredEvents()) names.push_back(e->Name);
    return names;
}

HWND ListOf(HWND page) { return GetDlgItem(page, IDC_EVENT_LIST); }
int RowCount(HWND page) {
    return static_cast<int>(SendMessageA(ListOf(page), LVM_GETITEMCOUNT, 0, 0));
}
int SelectedRow(HWND page) {
    return static_cast<int>(SendMessageA(ListOf(page), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         LVNI_SELECTED));
}
void SelectRow(HWND page, int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(ListOf(page), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}
std::string Cell(HWND page, int row, int column) {
    char text[256] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(ListOf(page), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}
std::vector<std::string> Rows(HWND page) {
    std::vector<std::string> rows;
    for (int i = 0; i < RowCount(page); ++i)
        rows.push_back(Cell(page, i, 0) + "|" + Cell(page, i, 1) + "|" + Cell(page, i, 2));
    return rows;
}

// The editor as the test answers it: counts its runs, and on OK gives the record a new name.
struct ScriptedEditor {
    int runs = 0;
    bool ok = true;
    std::string newName = "改过";
    EventEditor Editor() {
        return [this](HWND owner, EventRecord& record) {
            ++runs;
            EXPECT_NE(owner, nullptr);
            if (ok) record.Name = newName;
            return ok;
        };
    }
};

class EventsPageTest : public ::testing::Test {
protected:
    ScopedRegistrySandbox sandbox;
    FixedClock clock;
    StandInClock standIn;
    ScriptedEditor editor;
    double now = DateValueOf(FixedNow());
};

}  // namespace

TEST_F(EventsPageTest, ListsEveryStoredEventInStoreOrderInThreeColumnsWithNoRowSelected) {
    EventRecord off = Stored("关着", Daily, 1.0);
    off.Enabled = false;
    EventRecord monthly = Stored("月底", Monthly, 2.0);
    monthly.FreqDetail3 = 31;
    Store({Stored("开会", Once, 3.0), off, monthly, Stored("怪", 9, 4.0)});
    CTCEventsDlg page(editor.Editor());
    PageSheet sheet({&page});
    std::vector<std::string> rows;
    int selected = 0, columns = 0, widths[3] = {}, clientWidth = 0, titleWidth = 0;
    DWORD exStyle = 0;
    sheet.Run([&](HWND hwnd) {
        rows = Rows(page.hwnd());
        selected = SelectedRow(page.hwnd());
        HWND list = ListOf(page.hwnd());
        columns = static_cast<int>(
            SendMessageA(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)),
                         HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < 3; ++i)
            widths[i] = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
        RECT client;
        GetClientRect(list, &client);
        clientWidth = client.right;
        WindowDc dc(list);
        SIZE size;
        GetTextExtentPoint32A(dc.get(), "频率", 4, &size);
        titleWidth = size.cx;
        exStyle = static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        Press(hwnd, PSBTN_CANCEL);
    });
    EXPECT_EQ(rows, (std::vector<std::string>{"开会|03.03.2027 18:00:00|一次",
                                              "关着|禁用|每天",
                                              "月底|31.03.2027 18:00:00|每月",
                                              "怪|30.12.1899 00:00:00|"}));
    EXPECT_EQ(selected, -1);
    EXPECT_EQ(columns, 3);
    EXPECT_EQ(widths[2], titleWidth + 2);
    EXPECT_EQ(widths[0], (clientWidth - widths[2]) / 2);
    EXPECT_EQ(widths[1], widths[0]);
    EXPECT_TRUE(exStyle & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(standIn.EventReloads(), 0);
}

TEST_F(EventsPageTest, WithoutASelectionCopyEditAndDeleteDoNothingAndACancelledNewAddsNothing) {
    Store({Stored("甲", Once, 1.0)});
    CTCEventsDlg page(editor.Editor());
    PageSheet sheet({&page});
    std::vector<std::string> rows;
    sheet.Run([&](HWND hwnd) {
        for (int id : {IDC_EVENT_COPY, IDC_EVENT_EDIT, IDC_EVENT_DELETE}) Click(page.hwnd(), id);
        editor.ok = false;
        Click(page.hwnd(), IDC_EVENT_NEW);
        rows = Rows(page.hwnd());
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_EQ(editor.runs, 1);
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"甲"});
}

// New and Copy append at the end on OK, each with an Id no other event has, even when made
// within one second; Copy keeps everything else of its original. Nothing is stored before Apply.
TEST_F(EventsPageTest, NewAndCopyAppendOnOkWithIdsOfTheirOwnAndApplyStoresTheList) {
    EventRecord original = Stored("原", Weekly, 2.0);
    original.FreqDetail2 = 6;
    original.Run = "C:\\x.exe";
    Store({Stored("头", Once, 1.0), original});
    CTCEventsDlg page(editor.Editor());
    PageSheet sheet({&page});
    int selectedAfterCopy = 0;
    size_t storedBeforeApply = 0;
    int reloadsBeforeApply = 0;
    sheet.Run([&](HWND hwnd) {
        SelectRow(page.hwnd(), 1);
        editor.ok = false;
        Click(page.hwnd(), IDC_EVENT_COPY);  // cancelled: the row stays selected
        EXPECT_EQ(SelectedRow(page.hwnd()), 1);
        editor.ok = true;
        editor.newName = "副本";
        Click(page.hwnd(), IDC_EVENT_COPY);
        selectedAfterCopy = SelectedRow(page.hwnd());
        editor.newName = "新一";
        Click(page.hwnd(), IDC_EVENT_NEW);
        editor.newName = "新二";
        Click(page.hwnd(), IDC_EVENT_NEW);
        storedBeforeApply = StoredEvents().size();
        reloadsBeforeApply = standIn.EventReloads();
        Press(hwnd, PSBTN_APPLYNOW);
        WaitUntil([&] { return standIn.EventReloads() == 1; }, 5000);
        Press(hwnd, PSBTN_CANCEL);
    });
    EXPECT_EQ(editor.runs, 4);
    EXPECT_EQ(selectedAfterCopy, -1);
    EXPECT_EQ(storedBeforeApply, 2u);
    EXPECT_EQ(reloadsBeforeApply, 0);
    EXPECT_EQ(standIn.EventReloads(), 1);
    const EventList stored = StoredEvents();
    ASSERT_EQ(StoredNames(), (std::vector<std::string>{"头", "原", "副本", "新一", "新二"}));
    EventRecord expectedCopy = original;
    expectedCopy.Name = "副本";
    expectedCopy.Id = stored[2]->Id;
    EXPECT_TRUE(SameStoredValues(*stored[2], expectedCopy));
    // The copy is made now; the new events within the same second move on a second each.
    const long long second = std::llround(now * 86400.0);
    EXPECT_EQ(std::llround(stored[2]->Id * 86400.0), second);
    EXPECT_EQ(std::llround(stored[3]->Id * 86400.0), second + 1);
    EXPECT_EQ(std::llround(stored[4]->Id * 86400.0), second + 2);
}

TEST_F(EventsPageTest, EditChangesTheSelectedEventOnlyOnOkAndDeleteRemovesIt) {
    Store({Stored("甲", Once, 1.0), Stored("乙", Once, 2.0), Stored("丙", Once, 3.0)});
    CTCEventsDlg page(editor.Editor());
    PageSheet sheet({&page});
    std::vector<std::string> afterCancelledEdit, afterEdit, afterDelete;
    int selectedAfterCancelledEdit = 0, selectedAfterEdit = 0;
    sheet.Run([&](HWND hwnd) {
        SelectRow(page.hwnd(), 1);
        editor.ok = false;
        Click(page.hwnd(), IDC_EVENT_EDIT);
        afterCancelledEdit = Rows(page.hwnd());
        selectedAfterCancelledEdit = SelectedRow(page.hwnd());  // rebuilt however it closed
        SelectRow(page.hwnd(), 1);
        editor.ok = true;
        Click(page.hwnd(), IDC_EVENT_EDIT);
        afterEdit = Rows(page.hwnd());
        selectedAfterEdit = SelectedRow(page.hwnd());
        SelectRow(page.hwnd(), 0);
        Click(page.hwnd(), IDC_EVENT_DELETE);
        afterDelete = Rows(page.hwnd());
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_EQ(afterCancelledEdit[1].substr(0, 3), "乙|");
    EXPECT_EQ(afterEdit[1].substr(0, 5), "改过|");
    EXPECT_EQ(selectedAfterCancelledEdit, -1);
    EXPECT_EQ(selectedAfterEdit, -1);
    EXPECT_EQ(afterDelete.size(), 2u);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"改过", "丙"}));
    EXPECT_EQ(StoredEvents()[0]->Id, 2.0);
    EXPECT_EQ(standIn.EventReloads(), 1);
}

TEST_F(EventsPageTest, CancelAfterDeletingEveryEventLeavesTheStoreAsItWas) {
    Store({Stored("甲", Once, 1.0), Stored("乙", Daily, 2.0)});
    CTCEventsDlg page(editor.Editor());
    PageSheet sheet({&page});
    int rowsLeft = -1;
    sheet.Run([&](HWND hwnd) {
        for (int i = 0; i < 2; ++i) {
            SelectRow(page.hwnd(), 0);
            Click(page.hwnd(), IDC_EVENT_DELETE);
        }
        rowsLeft = RowCount(page.hwnd());
        Press(hwnd, PSBTN_CANCEL);
    });
    EXPECT_EQ(rowsLeft, 0);
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(standIn.EventReloads(), 0);
}

TEST_F(EventsPageTest, AStoreThatCannotBeWrittenStillTellsTheClock) {
    CTCEventsDlg page(editor.Editor());
    PageSheet sheet({&page});
    sheet.Run([&](HWND hwnd) {
        Click(page.hwnd(), IDC_EVENT_NEW);
        ClosedKey closed("Software\\Tembra\\Clock");
        Press(hwnd, PSBTN_OK);
        WaitUntil([&] { return standIn.EventReloads() == 1; }, 5000);
    });
    EXPECT_EQ(standIn.EventReloads(), 1);
}

// Another program holds the store past the wait: OK says so, and the sheet stays open with
// the change on the page until OK, once the store is free, saves it.
TEST_F(EventsPageTest, AStoreHeldElsewhereKeepsTheChangeOnThePageAndTellsTheUser) {
    Store({Stored("甲", Once, 1.0), Stored("乙", Once, 2.0)});
    SetEventStoreWait(50);
    CTCEventsDlg page(editor.Editor());
    PageSheet sheet({&page});
    std::string text;
    int rowsAfterCancel = 0;
    std::vector<std::string> storedWhileHeld;
    sheet.Run([&](HWND hwnd) {
        SelectRow(page.hwnd(), 0);
        Click(page.hwnd(), IDC_EVENT_DELETE);
        StoreLockHolder other;
        Press(hwnd, PSBTN_OK);
        HWND box = WaitForOwnDialog("Tembra Clock");
        text = ItemText(box, 0xFFFF);
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        WaitUntil([&] { return !IsWindow(box); }, 5000);
        rowsAfterCancel = RowCount(page.hwnd());
        storedWhileHeld = StoredNames();
        other.Release();
        SetEventStoreWait(INFINITE);  // tests of other processes may hold it a moment
        Press(hwnd, PSBTN_OK);
    });
    EXPECT_NE(text.find("还没有保存"), std::string::npos) << text;
    EXPECT_EQ(rowsAfterCancel, 1);
    EXPECT_EQ(storedWhileHeld, (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(StoredNames(), std::vector<std::string>{"乙"});
    EXPECT_EQ(standIn.EventReloads(), 1);
}
