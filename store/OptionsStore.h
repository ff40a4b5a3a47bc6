// Loading and saving the clock's options.
#pragma once
#include <string>

#include "store/ClockOptions.h"

namespace tembra {

// The clock's own work that runs inside a load, at fixed points.
class OptionsLoadSteps {
public:
    virtual ~OptionsLoadSteps() = default;
    // Right after "RemoveOldAlarms": prune past one-time events (only shutdown ones when off).
    virtual void RemoveOldEvents(bool shutdownOnly) = 0;
    // Right after "Top": move the window to the stored position.
    virtual void PlaceWindow(int left, int top) = 0;
    // After the last value: window styles, font, today's events.
    virtual void FinishLoad() = 0;
};

// Reads every option, with its default when missing. Returns false (and changes nothing,
// running no step) when the Options key can neither be opened nor created.
bool LoadOptions(ClockOptions& options, OptionsLoadSteps* steps);
// Writes every option in the order the clock reads them; "Left"/"Top" are the window's.
bool SaveOptions(const ClockOptions& options, int left, int top);
// Writes one number (a flag toggled from the menu, a position).
bool WriteOption(const char* name, unsigned long value);
bool WritePosition(int left, int top);

}  // namespace tembra
