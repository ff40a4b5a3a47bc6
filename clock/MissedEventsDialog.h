// The "错过的事件" window: what the clock did not carry out while the computer was away or
// the clock was not running. One modeless window at a time; lines that come while it is
// open are added to it. Nothing in it runs anything: it only lists, and the user closes it.
#pragma once
#include <windows.h>

#include <vector>

#include "clock/MissedEvents.h"

namespace tembra {

constexpr int IDC_MISSED_LIST = 1002;

// Shows `lines` in the open window, or in a new one owned by `owner`; returns the window,
// or nullptr when it cannot be created.
HWND ShowMissedEvents(HINSTANCE instance, HWND owner, const std::vector<MissedLine>& lines);
// The open window, or nullptr.
HWND MissedEventsWindow();
// Offers a message to the open window's dialog manager (Tab, Enter, Escape); true when the
// window took it.
bool MissedEventsDialogMessage(MSG* msg);

}  // namespace tembra
