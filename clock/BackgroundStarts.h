// Program starts that must not hold up the clock. Each runs on a thread of its own, so a
// program on a network share that does not answer leaves the face ticking and the next
// events firing on time.
#pragma once
#include <windows.h>

#include "framework/SystemActions.h"

namespace tembra {

// Hands `start` to a new thread, which enters a COM apartment (ShellExecuteEx may pass a
// document or a link to a shell extension) and starts it through the system seam. When no
// thread can be made, it is started on the calling thread.
void StartInBackground(const ProgramStart& start);
// Waits until every start handed over has come back from the seam; false when some are
// still out after `timeoutMs`.
bool WaitForBackgroundStarts(DWORD timeoutMs);

}  // namespace tembra
