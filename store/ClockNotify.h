// Telling a running clock that stored settings changed.
#pragma once
#include <windows.h>

namespace tembra {

// How long a responsive clock may take over a reload before the sender gives up on it.
constexpr UINT kClockNotifyTimeoutMs = 3000;

// Sends `message` (WM_CLOCK_RELOADOPTIONS or WM_CLOCK_RELOADEVENTS, both parameters 0) to
// the clock's window. Returns false when no clock runs or it did not take the message in
// time; a hung clock costs the caller nothing (SMTO_ABORTIFHUNG) and a busy one at most
// `timeoutMs`.
bool NotifyClock(UINT message, UINT timeoutMs = kClockNotifyTimeoutMs);

}  // namespace tembra
