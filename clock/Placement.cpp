#include "clock/Placement.h"

#include <algorithm>

namespace tembra {

namespace {
// Part of the window that must stay on screen along each axis.
constexpr int kVisibleMargin = 5;
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

ScreenPoint PlaceOnScreens(int left, int top, const std::vector<ScreenRect>& monitors) {
    if (monitors.empty()) return ScreenPoint{left, top};
    const ScreenRect screen = VirtualScreen(monitors);
    // Compared in long long so that stored values near the int limits cannot overflow.
    const int x = static_cast<long long>(left) + kVisibleMargin > screen.right ? 0 : left;
    const int y = static_cast<long long>(top) + kVisibleMargin > screen.bottom ? 0 : top;
    return ScreenPoint{x, y};
}

}  // namespace tembra
