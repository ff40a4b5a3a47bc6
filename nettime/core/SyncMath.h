// Combining the offsets of several servers into one correction of the clock.
#pragma once
#include <cstdint>

#include "nettime/core/NtpPacket.h"

namespace tembra::nettime {

// The part of an offset within the hour, as a move of less than half an hour either way:
// a result in [-1800, 1800) seconds. A clock wrong by whole hours keeps them.
double FoldIntoHalfHour(double seconds);

// Milliseconds to move the clock by, in [-1800000, 1800000): each answer is folded into the
// half hour, then one answer is taken as it is, two are averaged, and of three or more the
// median is taken, so one wrong server cannot move the clock. Answers that are not finite
// count for nothing; without any the result is 0.
int32_t CombineOffsets(const NtpResult* results, int count);

}  // namespace tembra::nettime
