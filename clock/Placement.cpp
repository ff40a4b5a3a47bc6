#include "clock/Placement.h"

#include <algorithm>

namespace tembra {

namespace {
// Part of the window that must stay on a monitor along each axis.
constexpr int kVisibleMargin = 5;

// Whether a window spanning [start, start + length) shows at least the margin within
// [low, high). In long long so that stored values near the int limits cannot overflow.
bool EnoughVisible(long long start, int length, int low, int high) {
    const long long end = start + std::max(length, 0);
    return start + kVisibleMargin <= high && end - kVisibleMargin >= low;
}

bool ShowsOnAMonitor(long long left, long long top, WindowSize size,
                     const std::vector<ScreenRect>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(), [&](const ScreenRect& m) {
        return EnoughVisible(left, size.width, m.left, m.right) &&
               EnoughVisible(top, size.height, m.top, m.bottom);
    });
}

long long Distance(int coordinate) { return coordinate < 0 ? -static_cast<long long>(coordinate) : coordinate; }
}  // namespace

ScreenPoint PlaceOnScreens(int left, int top, WindowSize size,
                           const std::vector<ScreenRect>& monitors) {
    if (monitors.empty() || ShowsOnAMonitor(left, top, size, monitors)) return ScreenPoint{left, top};
    const bool leftToZero = ShowsOnAMonitor(0, top, size, monitors);
    const bool topToZero = ShowsOnAMonitor(left, 0, size, monitors);
    if (leftToZero && (!topToZero || Distance(left) <= Distance(top))) return ScreenPoint{0, top};
    if (topToZero) return ScreenPoint{left, 0};
    if (ShowsOnAMonitor(0, 0, size, monitors)) return ScreenPoint{0, 0};
    return ScreenPoint{monitors.front().left, monitors.front().top};
}

}  // namespace tembra
