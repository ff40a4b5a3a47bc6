// How close to the servers' time a run sets the clock: the real program runs in this process
// against local servers whose clocks are SHIFT seconds ahead of this machine's, with the
// clock-setting seam replaced by a watch that compares, at the moment it is called, the
// time handed to it with the servers' time, whole hours aside (those the clock keeps). Beside
// it, the whole-second correction the program made before, from the same answers at the same
// moment: the offsets truncated, reduced within the hour and averaged, folded past 30
// minutes, and added to the local time without its milliseconds.
// Usage: ClockSettingBench RUNS SHIFT ADDRESS...
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "framework/SystemActions.h"
#include "nettime/win/ChronetApp.h"
#include "nettime/win/ChronetState.h"

using namespace tembra;
using namespace tembra::nettime;

namespace {

constexpr double kTicksPerSecond = 1e7;

int64_t Ticks(const FILETIME& f) {
    return static_cast<int64_t>(f.dwHighDateTime) << 32 | f.dwLowDateTime;
}

int64_t LocalTicksNow() {
    FILETIME utc, local;
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    return Ticks(local);
}

int64_t TicksOf(const SYSTEMTIME& t) {
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    return Ticks(f);
}

// Seconds, whole hours aside, in [-1800, 1800).
double WithinTheHour(double seconds) {
    double rest = std::fmod(seconds, 3600.0);
    if (rest >= 1800) rest -= 3600;
    if (rest < -1800) rest += 3600;
    return rest;
}

// The correction as the program made it before: whole seconds.
int32_t WholeSecondCorrection(const std::vector<NtpResult>& results, int count) {
    int32_t sum = 0;
    for (int i = 0; i < count; ++i)
        sum += static_cast<int32_t>(std::fmod(std::trunc(results[i].offset), 3600.0));
    int32_t n = sum / count;
    if ((n < 0 ? -n : n) / 60 > 30) n += n > 0 ? -3600 : 3600;
    return n;
}

class SeamWatch : public SystemActions {
public:
    explicit SeamWatch(double shift) : shift_(shift) {}
    bool StartProgram(const ProgramStart&) override { return false; }
    bool PlaySoundFile(const std::string&, UINT) override { return false; }
    void DefaultBeep() override {}
    bool ShutDown(UINT, bool) override { return false; }
    bool SetLocalClock(const SYSTEMTIME& target, DWORD* error) override {
        const int64_t now = LocalTicksNow();
        const double servers = now / kTicksPerSecond + shift_;
        const SyncRunState& run = *g_chronet.run;
        const int64_t wholeSecond = now - now % static_cast<int64_t>(kTicksPerSecond);
        const double before =
            wholeSecond / kTicksPerSecond + WholeSecondCorrection(run.results, run.count());
        errors.push_back(WithinTheHour(TicksOf(target) / kTicksPerSecond - servers) * 1e3);
        errorsBefore.push_back(WithinTheHour(before - servers) * 1e3);
        ++sets;
        if (error) *error = 0;
        return true;
    }
    std::vector<double> errors, errorsBefore;  // milliseconds; read once the run has ended
    std::atomic<int> sets{0};

private:
    double shift_;
};

void Print(const char* what, std::vector<double> v) {
    std::sort(v.begin(), v.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    printf("  %-32s median %9.1f ms, worst %9.1f ms (%zu runs)\n", what, v[v.size() / 2],
           v.back(), v.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: ClockSettingBench RUNS SHIFT ADDRESS...\n");
        return 2;
    }
    const int runs = atoi(argv[1]);
    SeamWatch watch(atof(argv[2]));
    SetSystemActions(&watch);
    ChronetLaunch launch;
    launch.servers = std::vector<std::string>(argv + 3, argv + argc);
    const std::string commandLine = "A" + std::to_string(argc - 3);
    launch.commandLine = commandLine.c_str();
    for (int i = 0; i < runs; ++i) {
        std::thread program([&] { RunChronet(GetModuleHandleA(nullptr), launch); });
        // A run sets the clock and ends by itself; one that cannot is closed.
        const DWORD start = GetTickCount();
        while (watch.sets <= i && GetTickCount() - start < 20000) Sleep(10);
        if (watch.sets <= i)
            if (HWND dialog = FindWindowA("#32770", kDialogTitle)) PostMessageA(dialog, WM_CLOSE, 0, 0);
        program.join();
    }
    SetSystemActions(nullptr);
    if (watch.errors.empty()) {
        printf("  no run set the clock\n");
        return 1;
    }
    Print("this code, to the millisecond:", watch.errors);
    Print("the code before, whole seconds:", watch.errorsBefore);
    return 0;
}
