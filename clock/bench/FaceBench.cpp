// Prints what the clock face costs (a benchmark, not a test):
// - time to cut the window region from a large face (font height -96, date and seconds);
// - CPU time per accepted tick, transparent with and without seconds against opaque, for
//   the same large face, ticks driven one simulated second apart, each followed by the
//   paints it asked for; and the transparent face with seconds at the default size.
#include <windows.h>

#include <cstdio>
#include <string>

#include "clock/bench/BenchClock.h"
#include "clock/RegionFromBitmap.h"
#include "clock/tests/ClockTestSupport.h"
#include "store/OptionsStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr int kLargeFont = -96;
constexpr int kDefaultFont = -13;
constexpr COLORREF kRed = RGB(255, 0, 0);

using bench::ThreadCpuSeconds;
using bench::WallSeconds;

// Handles what a tick left queued (the repaints it asked for), as the program's loop would.
void DispatchPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void RegionBuild() {
    const std::string text = "06.12.2026 14:05:09";
    HDC screen = GetDC(nullptr);
    UniqueFont font(CreateFontA(kLargeFont, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    UniqueMemoryDc dc(CreateCompatibleDC(screen));
    SIZE extent{};
    {
        SelectGuard f(dc.get(), font.get());
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, extent.cx, extent.cy));
    ReleaseDC(nullptr, screen);
    {
        SelectGuard b(dc.get(), bitmap.get());
        SelectGuard f(dc.get(), font.get());
        SetTextColor(dc.get(), kRed);
        SetBkColor(dc.get(), 0);
        TextOutA(dc.get(), 0, 0, text.c_str(), static_cast<int>(text.size()));
    }
    const int runs = 50;
    DWORD rects = 0;
    const double cpu0 = ThreadCpuSeconds(), wall0 = WallSeconds();
    for (int i = 0; i < runs; ++i) {
        UniqueRegion rgn = BuildRegionFromBitmap(bitmap.get(), 0, kFaceKeyTolerance, 0, 0);
        if (i == 0 && rgn) {
            const DWORD size = GetRegionData(rgn.get(), 0, nullptr);
            rects = (size - sizeof(RGNDATAHEADER)) / sizeof(RECT);
        }
    }
    const double cpu = ThreadCpuSeconds() - cpu0, wall = WallSeconds() - wall0;
    printf("region for a %ldx%ld face (\"%s\", font %d): %.2f ms wall, %.2f ms cpu per build "
           "(%lu rectangles after merging, %d builds)\n",
           extent.cx, extent.cy, text.c_str(), kLargeFont, wall / runs * 1e3, cpu / runs * 1e3,
           static_cast<unsigned long>(rects), runs);
}

void CpuPerTick(const char* label, bool transparent, bool seconds, int font = kLargeFont) {
    ScopedRegistrySandbox sandbox;
    WriteOption("Transparent", transparent ? 1 : 0);
    WriteOption("Seconds", seconds ? 1 : 0);
    WriteOption("FontHeight", static_cast<unsigned long>(font));
    WriteOption("FontColor", kRed);
    FakeClockTime time(CivilTime{2026, 12, 6, 14, 5, 0, 0});
    auto clock = StartClock();
    if (!clock) {
        printf("%s: could not start the clock\n", label);
        return;
    }
    const int ticks = 1200;  // twenty simulated minutes
    const unsigned shapesBefore = clock->regionBuildCount();
    const double cpu0 = ThreadCpuSeconds(), wall0 = WallSeconds();
    for (int i = 0; i < ticks; ++i) {
        time.AddSeconds(1);
        Tick(*clock);
        DispatchPending();
    }
    const double cpu = ThreadCpuSeconds() - cpu0, wall = WallSeconds() - wall0;
    printf("%-36s %8.1f us cpu, %8.1f us wall per tick; %.1f ms cpu per hour (%d ticks, %u "
           "region builds)\n",
           label, cpu / ticks * 1e6, wall / ticks * 1e6, cpu / ticks * 3600 * 1e3, ticks,
           clock->regionBuildCount() - shapesBefore);
}

}  // namespace

int main() {
    setvbuf(stdout, nullptr, _IONBF, 0);
    RegionBuild();
    CpuPerTick("transparent, seconds shown:", true, true);
    CpuPerTick("transparent, seconds hidden:", true, false);
    CpuPerTick("opaque, seconds shown:", false, true);
    CpuPerTick("opaque, seconds hidden:", false, false);
    CpuPerTick("transparent, seconds, default size:", true, true, kDefaultFont);
    CpuPerTick("opaque, seconds, default size:", false, true, kDefaultFont);
    return 0;
}
