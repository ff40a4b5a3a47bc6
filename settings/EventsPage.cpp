#include "settings/EventsPage.h"

#include <commctrl.h>

#include "settings/DialogButtons.h"
#include "settings/EventEditDlg.h"
#include "settings/EventsPageRes.h"
#include "settings/SettingsResources.h"
#include "settings/core/EventListChanges.h"
#include "store/ClockNotify.h"
#include "store/EventOccurrence.h"
#include "store/EventStore.h"
#include "store/SuiteContract.h"

namespace tembra {
namespace {

struct ButtonImage {
    int id;
    int bitmap;
    int width;
    int height;
};
const ButtonImage kButtons[] = {
    {IDC_EVENT_NEW, IDB_NEW_EVENT, 16, 16},
    {IDC_EVENT_COPY, IDB_COPY_EVENT, 16, 16},
    {IDC_EVENT_EDIT, IDB_EDIT_EVENT, 16, 16},
    {IDC_EVENT_DELETE, IDB_CANCEL, 13, 15},  // the cross of the Cancel buttons
};

void InsertColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

// Shown when another program keeps the event store longer than a save waits for it.
constexpr char kStoreBusyText[] =
    "另一个程序正在使用事件列表，您对事件的更改还没有保存。\n\n"
    "按“重试”再保存一次；按“取消”回到设置，更改仍留在“事件”页上。";
constexpr char kStoreBusyCaption[] = "Tembra Clock";

void SetCellText(HWND list, int row, int column, const std::string& text) {
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
}

}  // namespace

bool RunEventEditor(HWND owner, EventRecord& record) {
    CTCEventEditDlg editor(&record);
    return editor.Run(GetModuleHandleA(nullptr), owner) == IDOK;
}

CTCEventsDlg::CTCEventsDlg(EventEditor editor)
    : CTCPage(IDD_EVENTS, "事件"), editor_(std::move(editor)) {}

HWND CTCEventsDlg::List() const { return GetDlgItem(hwnd(), IDC_EVENT_LIST); }

BOOL CTCEventsDlg::OnInitDialog() {
    AttachButtons();
    ListView_SetExtendedListViewStyleEx(List(), LVS_EX_FULLROWSELECT | LVS_EX_FLATSB,
                                        LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    AddColumns();
    EventList stored;
    LoadEvents(false, stored);
    TakeList(std::move(stored));
    return TRUE;
}

void CTCEventsDlg::TakeList(EventList list) {
    loaded_ = std::move(list);
    for (size_t i = 0; i < loaded_.size(); ++i)
        loaded_[i]->ListKey = static_cast<std::uint32_t>(i + 1);
    events_ = CopyEvents(loaded_);
    RefreshList();
}

void CTCEventsDlg::AttachButtons() {
    for (size_t i = 0; i < sizeof kButtons / sizeof kButtons[0]; ++i) {
        CFlatButton& button = buttons_[i];
        button.SetLook(LookSemiFlat);
        button.UseHandCursor();
        button.AttachTo(hwnd(), kButtons[i].id);
        button.SetBitmapImage(
            LoadButtonBitmap(hwnd(), kButtons[i].bitmap, kButtons[i].width, kButtons[i].height),
            true);
    }
}

// The frequency column is as wide as its title; the other two share the rest.
void CTCEventsDlg::AddColumns() {
    HWND list = List();
    RECT client = {};
    GetClientRect(list, &client);
    static const char kFrequencyTitle[] = "频率";
    SIZE title = {};
    {
        WindowDc dc(list);
        GetTextExtentPoint32A(dc.get(), kFrequencyTitle, lstrlenA(kFrequencyTitle), &title);
    }
    const int frequencyWidth = title.cx + 2;
    const int halfWidth = (client.right - frequencyWidth) / 2;
    InsertColumn(list, 0, "事件", halfWidth);
    InsertColumn(list, 1, "日期 & 时间", halfWidth);
    InsertColumn(list, 2, kFrequencyTitle, frequencyWidth);
}

void CTCEventsDlg::RefreshList() {
    HWND list = List();
    const double now = CurrentDateValue();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, events_.size(), 0);
    for (size_t i = 0; i < events_.size(); ++i) {
        const EventRecord& e = *events_[i];
        LVITEMA row = {};
        row.mask = LVIF_TEXT;
        row.iItem = static_cast<int>(i);
        row.pszText = const_cast<char*>(e.Name.c_str());
        const int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0,
                                                     reinterpret_cast<LPARAM>(&row)));
        SetCellText(list, at, 1, OccurrenceText(e, now));
        SetCellText(list, at, 2, FrequencyText(e));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int CTCEventsDlg::Selected() const {
    const int row = static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                  LVNI_SELECTED));
    return row >= 0 && static_cast<size_t>(row) < events_.size() ? row : -1;
}

bool CTCEventsDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_EVENT_NEW: OnNew(); return true;
        case IDC_EVENT_COPY: OnCopy(); return true;
        case IDC_EVENT_EDIT: OnEdit(); return true;
        case IDC_EVENT_DELETE: OnDelete(); return true;
        default: return false;
    }
}

void CTCEventsDlg::OnNew() {
    AddThroughEditor(std::make_unique<EventRecord>(EventRecord::NewAt(CurrentDateValue())));
}

void CTCEventsDlg::OnCopy() {
    const int selected = Selected();
    if (selected < 0) return;
    auto copy = std::make_unique<EventRecord>();
    copy->CopyFrom(*events_[selected]);
    copy->Id = CurrentDateValue();
    copy->IdGiven = false;
    AddThroughEditor(std::move(copy));
}

void CTCEventsDlg::AddThroughEditor(std::unique_ptr<EventRecord> record) {
    if (!editor_(hwnd(), *record)) return;  // the rows and the selection stay as they were
    record->Id = UnusedEventId(record->Id, events_);
    events_.push_back(std::move(record));
    RefreshList();
}

void CTCEventsDlg::OnEdit() {
    const int selected = Selected();
    if (selected < 0) return;
    editor_(hwnd(), *events_[selected]);
    RefreshList();
}

void CTCEventsDlg::OnDelete() {
    const int selected = Selected();
    if (selected < 0) return;
    events_.erase(events_.begin() + selected);
    RefreshList();
}

bool CTCEventsDlg::OnApply(bool) {
    // The sheet stays as it is after Apply: this page never asks for Apply to be enabled.
    EventList stored;
    auto applyChanges = [&](EventList& list) {
        list = ApplyPageChanges(loaded_, events_, list);
        stored = CopyEvents(list);
    };
    while (!UpdateEvents(applyChanges)) {
        if (MessageBoxA(hwnd(), kStoreBusyText, kStoreBusyCaption,
                        MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY)
            return false;  // the sheet stays open on this page, the changes on it
    }
    TakeList(std::move(stored));
    NotifyClock(WM_CLOCK_RELOADEVENTS);
    return true;
}

}  // namespace tembra
