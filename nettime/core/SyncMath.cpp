#include "nettime/core/SyncMath.h"

#include <cmath>

namespace tembra::nettime {

int32_t CombineOffsets(const NtpResult* results, int count) {
    if (!results || count <= 0) return 0;
    int32_t sum = 0;
    for (int i = 0; i < count; ++i) {
        double offset = results[i].offset;
        if (!std::isfinite(offset)) continue;
        // Reduce within the hour before narrowing, so no offset can overflow 32 bits.
        sum += static_cast<int32_t>(std::fmod(std::trunc(offset), 3600.0));
    }
    int32_t n = sum / count;
    if ((n < 0 ? -n : n) / 60 > 30) n += n > 0 ? -3600 : 3600;
    return n;
}

}  // namespace tembra::nettime
