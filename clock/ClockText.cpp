#include "clock/ClockText.h"

namespace tembra {
namespace {
// How long after the whole second the tick lands: late enough that a timer firing a few
// milliseconds early still sees the new second, early enough that nobody notices.
const unsigned kTickSlackMs = 25;
}  // namespace

unsigned MillisecondsToNextTick(int millisecond) {
    if (millisecond < 0 || millisecond > 999) millisecond = 0;
    return static_cast<unsigned>(1000 - millisecond) + kTickSlackMs;
}

}  // namespace tembra
