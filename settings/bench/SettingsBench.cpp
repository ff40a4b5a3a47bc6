// Prints how long the settings program takes from its start to the sheet on screen:
//   settings_bench [runs]   (default 10)
// Each run starts TCSets.exe, waits for its visible sheet and its Apply button enabled (the
// last step of the sheet's start-up), then cancels it and waits for the program to end.
#include <windows.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "clock/bench/BenchClock.h"
#include "framework/testing/TestSupport.h"
#include "store/SuiteContract.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr int kApplyButtonId = 0x3021;

// Milliseconds from process start to the sheet shown and ready, or -1.
double StartToSheet() {
    ChildProcess program;
    const double start = bench::WallSeconds();
    if (!program.Start(BinDir() + "\\" + kSettingsProgram, "")) return -1;
    HWND sheet = nullptr;
    while (!(sheet = FindProcessWindow(program.pid(), "#32770", kSettingsSheetTitle)) ||
           !IsWindowEnabled(GetDlgItem(sheet, kApplyButtonId))) {
        if (bench::WallSeconds() - start > 30 || program.WaitExit(0)) return -1;
        Sleep(1);
    }
    const double shown = bench::WallSeconds();
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    program.WaitExit(20000);
    return (shown - start) * 1000;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = StartToSheet();
        if (ms < 0) {
            printf("settings start-up: TCSets.exe did not show its sheet\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    printf("settings start-up, TCSets.exe start to sheet shown: median %.0f ms, min %.0f ms, "
           "max %.0f ms (%d runs)\n",
           times[times.size() / 2], times.front(), times.back(), runs);
    return 0;
}
