#include "nettime/core/SyncMath.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tembra::nettime {
namespace {

constexpr double kHour = 3600.0;
constexpr int64_t kHourMs = 3600000;
constexpr int64_t kHalfHourMs = kHourMs / 2;

// The folded terms lie on a circle one hour round: a clock half an hour off gets answers on
// both sides of the fold. Cutting the circle at the widest gap between answers keeps answers
// that agree next to each other: the terms below the cut move up by an hour.
void UnwrapAtWidestGap(std::vector<double>& terms) {
    std::sort(terms.begin(), terms.end());
    size_t cut = 0;
    double widest = terms.front() + kHour - terms.back();
    for (size_t i = 1; i < terms.size(); ++i) {
        if (terms[i] - terms[i - 1] > widest) {
            widest = terms[i] - terms[i - 1];
            cut = i;
        }
    }
    for (size_t i = 0; i < cut; ++i) terms[i] += kHour;
    std::sort(terms.begin(), terms.end());
}

double MeanOrMedian(const std::vector<double>& sorted) {
    const size_t n = sorted.size();
    if (n < 3) return n == 1 ? sorted[0] : (sorted[0] + sorted[1]) / 2;
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

}  // namespace

double FoldIntoHalfHour(double seconds) {
    double rest = std::fmod(seconds, kHour);  // exact, with the sign of `seconds`
    if (rest >= kHour / 2)
        rest -= kHour;
    else if (rest < -kHour / 2)
        rest += kHour;
    return rest;
}

int32_t CombineOffsets(const NtpResult* results, int count) {
    std::vector<double> terms;
    for (int i = 0; results && i < count; ++i)
        if (std::isfinite(results[i].offset)) terms.push_back(FoldIntoHalfHour(results[i].offset));
    if (terms.empty()) return 0;
    UnwrapAtWidestGap(terms);
    const int64_t ms = std::llround(MeanOrMedian(terms) * 1000.0);
    // Rounding, or terms moved up by an hour, may leave the half hour: fold again.
    const int64_t folded = ((ms + kHalfHourMs) % kHourMs + kHourMs) % kHourMs - kHalfHourMs;
    return static_cast<int32_t>(folded);
}

}  // namespace tembra::nettime
