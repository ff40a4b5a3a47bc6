// Moving values between a dialog's controls and a page's fields.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace tembra {

// Check box: 1 ticked, 0 clear (2 for an indeterminate three-state box).
int GetCheck(HWND dialog, int id);
void SetCheck(HWND dialog, int id, int state);

// Combo box or list selection index; -1 is no selection. An index outside the list leaves
// none selected.
int GetComboSelection(HWND dialog, int id);
void SetComboSelection(HWND dialog, int id, int index);
// Appends items to a combo box.
void AddComboItems(HWND dialog, int id, std::initializer_list<const char*> items);

// Radio group with consecutive ids first..last: index of the checked button, -1 when none.
// Setting an index outside the group clears them all.
int GetRadioIndex(HWND dialog, int firstId, int lastId);
void SetRadioIndex(HWND dialog, int firstId, int lastId, int index);

// Window text of a control, of any length.
std::string GetItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);

// A number typed into an edit: its leading digits, at most `limit` (see ParseLeadingNumber).
std::uint32_t GetItemNumber(HWND dialog, int id, std::uint32_t limit = UINT32_MAX);
// Shows `value` in decimal ("%d").
void SetItemNumber(HWND dialog, int id, long value);

}  // namespace tembra
