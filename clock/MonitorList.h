// The monitors the clock is placed against: the system's, or a list a test sets up (one
// screen cannot show Wine two monitors side by side).
#pragma once
#include <vector>

#include "clock/Placement.h"

namespace tembra {

// The rectangles of the monitors attached now; the primary screen's when the system lists
// none.
std::vector<ScreenRect> CurrentMonitors();

using MonitorLister = std::vector<ScreenRect> (*)();
// Installs another source of the list (nullptr: the system's); returns the previous one.
MonitorLister SetMonitorLister(MonitorLister lister);

}  // namespace tembra
