// Where the clock goes when its stored position is applied.
#pragma once
#include <vector>

namespace tembra {

struct ScreenRect {
    int left, top, right, bottom;
};

struct ScreenPoint {
    int x, y;
};

struct WindowSize {
    int width, height;
};

// The top-left corner of a window of `size` that keeps at least five pixels in each
// direction on one of the monitors (a window below the shorter of two monitors lies inside
// the box round them both, yet shows nowhere). A corner that shows is kept as it is: negative
// coordinates included, since a monitor may lie left of or above the primary one and the
// user may park the clock partly off screen. Otherwise a coordinate goes back to 0, as the
// stored position always did off screen: x, or y, whichever brings the window onto a monitor
// with the shorter move, else both (the primary monitor's corner), else the first monitor's
// corner. Without monitors the position is kept.
ScreenPoint PlaceOnScreens(int left, int top, WindowSize size,
                           const std::vector<ScreenRect>& monitors);

}  // namespace tembra
