// Process-wide state of Chronet, owned by the interface thread except where noted.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "nettime/core/NtpPacket.h"
#include "nettime/core/Options.h"

namespace tembra::nettime {

constexpr char kStopEventName[] = "EventExitThread";

struct ChronetState {
    HINSTANCE instance = nullptr;
    ChronetOptions options;
    // One slot per answer the run needs; written only by the worker until it posts its end.
    std::vector<NtpResult> results;
    // Named manual-reset event shared by all running copies: set to stop the run.
    UniqueKernelHandle stopEvent;
    // Where the worker asks: "servers.lst" beside the program unless a test gave a list.
    std::optional<std::vector<std::string>> servers;
    uint16_t port = kNtpPort;
};

extern ChronetState g_chronet;
// The whole log; touched only by the interface thread.
extern std::string g_log;

}  // namespace tembra::nettime
