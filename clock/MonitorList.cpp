#include "clock/MonitorList.h"

#include <windows.h>

namespace tembra {
namespace {

MonitorLister g_lister = nullptr;

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT rc, LPARAM data) {
    reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(
        ScreenRect{rc->left, rc->top, rc->right, rc->bottom});
    return TRUE;
}

std::vector<ScreenRect> SystemMonitors() {
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty())
        monitors.push_back(
            ScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return monitors;
}

}  // namespace

std::vector<ScreenRect> CurrentMonitors() { return g_lister ? g_lister() : SystemMonitors(); }

MonitorLister SetMonitorLister(MonitorLister lister) {
    MonitorLister previous = g_lister;
    g_lister = lister;
    return previous;
}

}  // namespace tembra
