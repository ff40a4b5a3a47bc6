#include "store/ClockNotify.h"

#include "store/SuiteContract.h"

namespace tembra {

bool NotifyClock(UINT message, UINT timeoutMs) {
    HWND clock = FindWindowA(kClockClassName, nullptr);
    if (!clock) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(clock, message, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                               &result) != 0;
}

}  // namespace tembra
