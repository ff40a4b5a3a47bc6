#include "clock/MissedEventsDialog.h"

#include <commctrl.h>

#include <string>

#include "clock/ClockMessages.h"

namespace tembra {
namespace {

HWND g_window = nullptr;

struct Column {
    const char* title;
    int width;  // dialog units
};
const Column kColumns[] = {{"时间", 78}, {"事件", 84}, {"次数", 24}, {"将执行", 66}};

void AddColumns(HWND dialog, HWND list) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const Column& c : kColumns) {
        RECT units{0, 0, c.width, 0};
        MapDialogRect(dialog, &units);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = units.right;
        column.pszText = const_cast<char*>(c.title);
        SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
    }
}

void AddLines(HWND list, const std::vector<MissedLine>& lines) {
    for (const MissedLine& line : lines) {
        const std::vector<std::string> texts = MissedLineTexts(line);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<char*>(texts[0].c_str());
        const int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0,
                                                      reinterpret_cast<LPARAM>(&item)));
        if (row < 0) return;
        for (size_t i = 1; i < texts.size(); ++i) {
            LVITEMA sub{};
            sub.iSubItem = static_cast<int>(i);
            sub.pszText = const_cast<char*>(texts[i].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
        }
    }
}

INT_PTR CALLBACK MissedEventsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            AddColumns(dialog, GetDlgItem(dialog, IDC_MISSED_LIST));
            return TRUE;
        case WM_COMMAND:
            // "关闭", Escape, Enter and the system menu's close all only close it.
            if (LOWORD(wParam) != IDCANCEL && LOWORD(wParam) != IDOK) return FALSE;
            DestroyWindow(dialog);
            return TRUE;
        case WM_DESTROY:
            if (g_window == dialog) g_window = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

HWND ShowMissedEvents(HINSTANCE instance, HWND owner, const std::vector<MissedLine>& lines) {
    if (!g_window) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        g_window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MISSED), owner,
                                      MissedEventsProc, 0);
        if (!g_window) return nullptr;
    }
    AddLines(GetDlgItem(g_window, IDC_MISSED_LIST), lines);
    return g_window;
}

HWND MissedEventsWindow() { return g_window; }

bool MissedEventsDialogMessage(MSG* msg) {
    return g_window && IsDialogMessageA(g_window, msg);
}

}  // namespace tembra
