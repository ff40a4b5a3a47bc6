// The program's three options: built-in defaults, the command line, the stored values.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "store/InternetTimeOptions.h"

namespace tembra::nettime {

constexpr int32_t kDefaultServersNum = inet::kDefaultServersNum;
// A run asks at most this many servers, so no more answers can ever be collected.
constexpr int kMaxServersTried = 20;

struct ChronetOptions {
    bool trayMode = false;
    bool autoAdjustTime = false;
    int32_t serversNum = kDefaultServersNum;
};

// Applies a non-empty command line (the text after the program name): "A"/"a" turn the
// clock setting on/off, "T"/"t" the tray mode, and the first run of digits starting with
// 1-9 is the number of servers. Letters count anywhere, also inside words.
void ApplyCommandLine(const char* commandLine, ChronetOptions* options);

// The values as stored under the registry key the settings program writes; absent when missing.
using StoredOptions = InternetTimeValues;
void ApplyStoredOptions(const StoredOptions& stored, ChronetOptions* options);

// Slots needed for the answers of a run: never negative and never more than a run can fill.
int ResultSlots(int32_t serversNum);

// Whether the run's answers allow setting the clock.
bool ShouldSetClock(const ChronetOptions& options, int count);

// The command line of a run that repeats this one to set the clock (with administrator
// rights): a command line replaces the stored options, so it turns the setting on and names
// this run's number of servers, which a start without a number would take as 3.
std::string RepeatToSetClockCommandLine(const ChronetOptions& options);

}  // namespace tembra::nettime
