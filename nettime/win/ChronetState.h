// Process-wide state of Chronet, owned by the interface thread.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/Handles.h"
#include "nettime/core/Options.h"
#include "nettime/win/SyncRunState.h"

namespace tembra::nettime {

constexpr char kStopEventName[] = "EventExitThread";
// How long Cancel and the exit wait for the worker after asking it to stop.
constexpr DWORD kWorkerStopWaitMs = 10000;

using WorkerStarter = HANDLE (*)(const std::shared_ptr<SyncRunState>& run);

struct ChronetState {
    HINSTANCE instance = nullptr;
    ChronetOptions options;
    // Named manual-reset event shared by all running copies: set to stop the run.
    UniqueKernelHandle stopEvent;
    // This start's run; its worker holds a share of its own.
    std::shared_ptr<SyncRunState> run;
    WorkerStarter startWorker = nullptr;
    DWORD workerStopWaitMs = kWorkerStopWaitMs;
};

extern ChronetState g_chronet;
// The whole log; touched only by the interface thread.
extern std::string g_log;

}  // namespace tembra::nettime
