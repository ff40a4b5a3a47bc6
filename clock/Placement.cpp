#include "clock/Placement.h"

#include <algorithm>

namespace tembra {

namespace {
// Part of the window that must stay on screen along each axis.
constexpr int kVisibleMargin = 5;

// Whether a window spanning [start, start + length) shows at least the margin within
// [low, high). In long long so that stored values near the int limits cannot overflow.
bool EnoughVisible(int start, int length, int low, int high) {
    const long long begin = start;
    const long long end = begin + std::max(length, 0);
    return begin + kVisibleMargin <= high && end - kVisibleMargin >= low;
}
}  // namespace

ScreenRect VirtualScreen(const std::vector<ScreenRect>& monitors) {
    if (monitors.empty()) return ScreenRect{0, 0, 0, 0};
    ScreenRect box = monitors.front();
    for (const ScreenRect& m : monitors) {
        box.left = std::min(box.left, m.left);
        box.top = std::min(box.top, m.top);
        box.right = std::max(box.right, m.right);
        box.bottom = std::max(box.bottom, m.bottom);
    }
    return box;
}

ScreenPoint PlaceOnScreens(int left, int top, WindowSize size,
                           const std::vector<ScreenRect>& monitors) {
    if (monitors.empty()) return ScreenPoint{left, top};
    const ScreenRect screen = VirtualScreen(monitors);
    const int x = EnoughVisible(left, size.width, screen.left, screen.right) ? left : 0;
    const int y = EnoughVisible(top, size.height, screen.top, screen.bottom) ? top : 0;
    return ScreenPoint{x, y};
}

}  // namespace tembra
