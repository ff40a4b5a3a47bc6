// Start-up, message loop and exit of Chronet.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "nettime/core/NtpPacket.h"
#include "nettime/win/ChronetState.h"
#include "nettime/win/SyncRun.h"

namespace tembra::nettime {

constexpr char kMainWindowClass[] = "TembraChronet";
constexpr char kDialogTitle[] = "Tembra Internet Time";

struct ChronetLaunch {
    const char* commandLine = "";
    // Tests name their servers and port; the program reads "servers.lst" and uses port 123.
    std::optional<std::vector<std::string>> servers;
    uint16_t port = kNtpPort;
    // Tests shorten the wait for a stopping worker and make the worker's start fail.
    DWORD workerStopWaitMs = kWorkerStopWaitMs;
    WorkerStarter startWorker = StartSyncThread;
};

// Runs the program once: reads the options, opens the log window, lets the worker ask the
// servers and returns 0 when the window is gone (at once when it cannot be made).
int RunChronet(HINSTANCE instance, const ChronetLaunch& launch);

}  // namespace tembra::nettime
