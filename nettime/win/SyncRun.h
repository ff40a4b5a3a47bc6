// The worker thread's run: ask servers one after another until enough have answered.
#pragma once
#include <windows.h>

#include <cstdint>

namespace tembra::nettime {

// Thread entry; `param` is the log dialog's window. Returns 0.
DWORD WINAPI SyncThreadProc(LPVOID param);

// Sets the local clock by the combined offset of the first `count` answers, through the
// system seam; false with the platform's error when the clock could not be set.
bool AdjustClock(int count, DWORD* error);

}  // namespace tembra::nettime
