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

// The box round every monitor: the virtual screen.
ScreenRect VirtualScreen(const std::vector<ScreenRect>& monitors);

// The stored top-left corner of a window of `size`, with each coordinate that would leave
// fewer than five pixels of the window on the virtual screen, on any side, put back to 0
// (a monitor that has gone away must not take the clock with it). Negative coordinates are
// kept while enough of the window shows: a monitor may lie to the left of or above the
// primary one, and the user may park the clock partly off screen on purpose.
// Without monitors the position is kept as stored.
ScreenPoint PlaceOnScreens(int left, int top, WindowSize size,
                           const std::vector<ScreenRect>& monitors);

}  // namespace tembra
