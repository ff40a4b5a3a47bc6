// The clock's line of text comes from the store's rules (shared with the settings program's
// preview); what stays here is the clock's own timing.
#pragma once
#include "store/ClockText.h"

namespace tembra {

// Milliseconds from `millisecond` (0..999 past a whole second) until shortly after the next
// whole second: the clock's timer fires then, so each new second shows at once.
unsigned MillisecondsToNextTick(int millisecond);

}  // namespace tembra
