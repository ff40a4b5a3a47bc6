// Prints the clock's running costs and how exactly it ticks:
//   clock_bench [lag-seconds]
// - CPU time per accepted tick (in-process window, a simulated second per tick);
// - time from process start to the first painted tick of the real program;
// - the real program's working set after a minute;
// - tick lag: for each new second, how many ms after the whole second the text changed,
//   for the re-armed timer and a plain 1000 ms timer running side by side.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "clock/bench/BenchClock.h"
#include "clock/tests/ClockTestSupport.h"
#include "store/OptionsStore.h"

using namespace tembra;
using namespace tembra::test;

namespace {

using bench::ThreadCpuSeconds;

void CpuPerTick() {
    ScopedRegistrySandbox sandbox;
    WriteOption("Seconds", 1);
    FakeClockTime time(CivilTime{2026, 12, 6, 14, 5, 9, 0});
    auto clock = StartClock();
    const int ticks = 3000;
    double start = ThreadCpuSeconds();
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < ticks; ++i) {
        time.AddSeconds(1);
        Tick(*clock);
    }
    QueryPerformanceCounter(&t1);
    double cpu = ThreadCpuSeconds() - start;
    printf("cpu per accepted tick (opaque, seconds shown): %.1f us cpu, %.1f us wall (%d ticks)\n",
           cpu / ticks * 1e6, (t1.QuadPart - t0.QuadPart) * 1e6 / f.QuadPart / ticks, ticks);
}

void StartUpAndWorkingSet(bool measureMemory) {
    HWND old = FindWindowA("zmrClock", nullptr);
    if (old) SendMessageA(old, WM_ENDSESSION, TRUE, 0);
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    ChildProcess clock;
    QueryPerformanceCounter(&t0);
    if (!clock.Start(BinDir() + "\\TembraClock.exe", "")) {
        printf("start-up: could not start TembraClock.exe\n");
        return;
    }
    HWND window = nullptr;
    while (!(window = FindWindowA("zmrClock", nullptr)) || !IsWindowVisible(window)) Sleep(1);
    // The window is shown and painted in the same message; a round trip confirms it is done.
    SendMessageA(window, WM_NULL, 0, 0);
    QueryPerformanceCounter(&t1);
    printf("process start to first painted clock: %.1f ms\n",
           (t1.QuadPart - t0.QuadPart) * 1e3 / f.QuadPart);
    if (measureMemory) {
        Sleep(60000);
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        if (GetProcessMemoryInfo(clock.handle(), &pmc, sizeof pmc))
            printf("working set after a minute: %.0f KiB (peak %.0f KiB)\n",
                   pmc.WorkingSetSize / 1024.0, pmc.PeakWorkingSetSize / 1024.0);
    }
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    clock.WaitExit(5000);
}

struct LagRecorder : TickObserver {
    std::vector<int> lagMs;
    int skipped = 0;
    int lastSecondOfDay = -1;
    void OnClockTextChanged(const std::string&) override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        int second = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
        if (lastSecondOfDay >= 0 && second - lastSecondOfDay > 1)
            skipped += second - lastSecondOfDay - 1;
        lastSecondOfDay = second;
        lagMs.push_back(now.wMilliseconds);
    }
    void Print(const char* name) {
        if (lagMs.empty()) return;
        std::vector<int> sorted = lagMs;
        std::sort(sorted.begin(), sorted.end());
        printf("tick lag, %-22s median %3d ms, p99 %3d ms, max %3d ms, seconds skipped %d (%zu ticks)\n",
               name, sorted[sorted.size() / 2], sorted[sorted.size() * 99 / 100], sorted.back(),
               skipped, sorted.size());
    }
};

void TickLag(int seconds) {
    ScopedRegistrySandbox sandbox;
    WriteOption("Seconds", 1);
    auto rearmed = StartClock();
    auto plain = std::make_unique<ClockWindow>();
    plain->UsePlainTimer(true);
    plain->Create(GetModuleHandleA(nullptr));
    LagRecorder rearmedLag, plainLag;
    rearmed->SetTickObserver(&rearmedLag);
    plain->SetTickObserver(&plainLag);
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    MSG msg;
    while (GetTickCount() < end) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        }
    }
    rearmedLag.Print("re-armed timer:");
    plainLag.Print("plain 1000 ms timer:");
}

}  // namespace

int main(int argc, char** argv) {
    int lagSeconds = argc > 1 ? atoi(argv[1]) : 180;
    setvbuf(stdout, nullptr, _IONBF, 0);
    CpuPerTick();
    StartUpAndWorkingSet(lagSeconds >= 60);
    TickLag(lagSeconds);
    return 0;
}
