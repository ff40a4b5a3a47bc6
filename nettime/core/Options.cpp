#include "nettime/core/Options.h"

#include <cstring>
#include <string>

namespace tembra::nettime {

void ApplyCommandLine(const char* commandLine, ChronetOptions* options) {
    if (!commandLine) return;
    if (std::strchr(commandLine, 'A'))
        options->autoAdjustTime = true;
    else if (std::strchr(commandLine, 'a'))
        options->autoAdjustTime = false;
    if (std::strchr(commandLine, 'T'))
        options->trayMode = true;
    else if (std::strchr(commandLine, 't'))
        options->trayMode = false;

    const char* digits = std::strpbrk(commandLine, "123456789");
    if (!digits) return;
    // Saturate instead of overflowing: any number above the cap means "never enough answers".
    constexpr int32_t kCap = 1000000;
    int32_t n = 0;
    for (const char* p = digits; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (*p - '0');
        if (n > kCap) n = kCap;
    }
    if (n != 0) options->serversNum = n;
}

void ApplyStoredOptions(const StoredOptions& stored, ChronetOptions* options) {
    if (stored.trayMode) options->trayMode = *stored.trayMode != 0;
    if (stored.autoAdjustTime) options->autoAdjustTime = *stored.autoAdjustTime != 0;
    if (stored.serversNum && *stored.serversNum != 0)
        options->serversNum = static_cast<int32_t>(*stored.serversNum);
}

int ResultSlots(int32_t serversNum) {
    if (serversNum < 0) return 0;
    return serversNum > kMaxServersTried ? kMaxServersTried : serversNum;
}

bool ShouldSetClock(const ChronetOptions& options, int count) {
    return options.autoAdjustTime && count > 0 && count >= options.serversNum;
}

std::string RepeatToSetClockCommandLine(const ChronetOptions& options) {
    // No number below 1 survives the command line: it would read as another number or none.
    if (options.serversNum < 1) return "A";
    return "A " + std::to_string(options.serversNum);
}

}  // namespace tembra::nettime
