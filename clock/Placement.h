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

// The box round every monitor: the virtual screen.
ScreenRect VirtualScreen(const std::vector<ScreenRect>& monitors);

// The stored top-left corner, with each coordinate that would leave fewer than five pixels
// on the virtual screen's right or bottom side put back to 0. Coordinates left of or above
// the screen are kept: the window still shows there when a monitor lies to the left or
// above the primary one, and the user may park it partly off screen on purpose.
// Without monitors the position is kept as stored.
ScreenPoint PlaceOnScreens(int left, int top, const std::vector<ScreenRect>& monitors);

}  // namespace tembra
