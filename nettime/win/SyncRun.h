// The worker thread's run: ask servers one after another until enough have answered.
#pragma once
#include <windows.h>

#include <memory>

#include "nettime/win/SyncRunState.h"

namespace tembra::nettime {

// Starts the worker on `run`, which it holds until it ends; null when no thread could be
// created.
HANDLE StartSyncThread(const std::shared_ptr<SyncRunState>& run);

// Thread entry; `param` is a heap-allocated std::shared_ptr<SyncRunState> that the thread
// takes over. Queues the log lines, records the outcome, then posts the run's end. Returns 0.
DWORD WINAPI SyncThreadProc(LPVOID param);

// Sets the local clock, to the millisecond, by the combined offset of the first `count`
// answers, through the system seam; false with the platform's error when it could not be set.
bool AdjustClock(const SyncRunState& run, int count, DWORD* error);

}  // namespace tembra::nettime
