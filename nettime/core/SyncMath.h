// Combining the offsets of several servers into one whole-second correction.
#pragma once
#include <cstdint>

#include "nettime/core/NtpPacket.h"

namespace tembra::nettime {

// Whole seconds to move the clock by: every offset loses its whole hours, the rest is
// averaged, and a correction of 31 minutes or more is folded to the other direction.
// Offsets of any size (or not finite) combine without overflow.
int32_t CombineOffsets(const NtpResult* results, int count);

}  // namespace tembra::nettime
