#include "framework/DataExchange.h"

#include "framework/core/LeadingNumber.h"

namespace tembra {

int GetCheck(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
}

void SetCheck(HWND dialog, int id, int state) {
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int GetComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

void SetComboSelection(HWND dialog, int id, int index) {
    // Windows clears the selection for an index past the list, Wine keeps the old one:
    // ask for no selection outright.
    const int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
    if (index < 0 || index >= count) index = -1;
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void AddComboItems(HWND dialog, int id, std::initializer_list<const char*> items) {
    for (const char* item : items)
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

int GetRadioIndex(HWND dialog, int firstId, int lastId) {
    for (int id = firstId; id <= lastId; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id - firstId;
    return -1;
}

void SetRadioIndex(HWND dialog, int firstId, int lastId, int index) {
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(dialog, id, id - firstId == index ? BST_CHECKED : BST_UNCHECKED);
}

std::string GetItemText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    int copied = GetWindowTextA(control, &text[0], static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

std::uint32_t GetItemNumber(HWND dialog, int id, std::uint32_t limit) {
    return ParseLeadingNumber(GetItemText(dialog, id), limit);
}

void SetItemNumber(HWND dialog, int id, long value) {
    SetItemText(dialog, id, std::to_string(value));
}

}  // namespace tembra
