// Loading and saving the clock's options.
#pragma once
#include <string>

#include "store/ClockOptions.h"
#include "store/OptionRules.h"

namespace tembra {

// Reads every option, with its default when missing. Returns false (and changes nothing,
// running no step) when the Options key can neither be opened nor created. The settings
// program's pages read with no steps.
bool LoadOptions(ClockOptions& options, OptionsLoadSteps* steps);
// The pages' saves of what the user changed, `shown` against `edited` (see OptionRules.h);
// false when the key can neither be opened nor created.
bool SaveGeneralOptions(const ClockOptions& shown, const ClockOptions& edited);
bool SaveDateTimeOptions(const ClockOptions& shown, const ClockOptions& edited);
// Writes every option in the order the clock reads them; "Left"/"Top" are the window's.
bool SaveOptions(const ClockOptions& options, int left, int top);
// Writes one number (a flag toggled from the menu, a position).
bool WriteOption(const char* name, unsigned long value);
bool WritePosition(int left, int top);
// The clock's record of when it last ran; false when there is none.
bool ReadLastRun(double* moment);
bool WriteLastRun(double moment);

}  // namespace tembra
