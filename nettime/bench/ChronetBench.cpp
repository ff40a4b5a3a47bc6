// Accuracy of one exchange against a server shifted by a known amount, and the run time
// of a report-only run of the real program against three local servers, beside a bare
// program's start to its first window.
// Usage: ChronetBench SHIFTED_ADDRESS SHIFT_SECONDS EXCHANGES SERVERS_DIR
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "nettime/win/SntpClient.h"
#include "nettime/win/UdpSocket.h"
#include "nettime/win/resource.h"

using namespace tembra::nettime;

namespace {

void Accuracy(const char* address, double shift, int exchanges) {
    WinsockSession winsock(MAKEWORD(1, 1));
    CSntpClient client;
    std::vector<double> errors;
    for (int i = 0; i < exchanges; ++i) {
        NtpResult r;
        if (client.QueryServer(address, r, kNtpPort)) errors.push_back(std::fabs(r.offset - shift));
    }
    if (errors.empty()) {
        printf("chronet accuracy: no answers\n");
        return;
    }
    std::sort(errors.begin(), errors.end());
    printf("chronet: %zu/%d exchanges, offset error median %.3f ms, worst %.3f ms\n", errors.size(),
           exchanges, errors[errors.size() / 2] * 1e3, errors.back() * 1e3);
}

std::string EditText(HWND dialog) {
    char buffer[4096] = {};
    GetDlgItemTextA(dialog, IDC_LOG, buffer, sizeof buffer);
    return buffer;
}

HWND ChronetSummaryShown() {
    HWND dialog = FindWindowA("#32770", "Tembra Internet Time");
    return dialog && EditText(dialog).find("=====") != std::string::npos ? dialog : nullptr;
}

HWND BareWindowShown() {
    HWND window = FindWindowA("TembraBareWindow", "Tembra Bare Window");
    return window && IsWindowVisible(window) ? window : nullptr;
}

// Milliseconds from starting `exe` to `done` finding its window (negative when it never
// did), looked for every millisecond; then closes that window and waits for the process.
double StartToWindow(const std::string& exe, const std::string& arguments, HWND (*done)()) {
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return -1;
    HWND window = nullptr;
    for (int i = 0; i < 20000 && !window; ++i) {
        window = done();
        if (!window) Sleep(1);
    }
    QueryPerformanceCounter(&t1);
    if (window) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return window ? (t1.QuadPart - t0.QuadPart) * 1e3 / f.QuadPart : -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

// A report-only run against three local servers, beside a bare program's first window,
// alternately, several times each.
void RunTime(const std::string& folder) {
    const int runs = 7;
    std::vector<double> bare, chronet;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(StartToWindow(folder + "\\BareWindow.exe", "", BareWindowShown));
        chronet.push_back(StartToWindow(folder + "\\Chronet.exe", "3", ChronetSummaryShown));
    }
    if (*std::min_element(chronet.begin(), chronet.end()) < 0 ||
        *std::min_element(bare.begin(), bare.end()) < 0) {
        printf("report-only run: a program did not show its window\n");
        return;
    }
    const double b = Median(bare), c = Median(chronet);
    printf("bare program, start to first window:          %6.1f ms (median of %d)\n", b, runs);
    printf("report-only run with 3 local servers, start to summary: %6.1f ms (median of %d), "
           "%.1f ms more\n",
           c, runs, c - b);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: ChronetBench SHIFTED_ADDRESS SHIFT EXCHANGES FOLDER\n");
        return 2;
    }
    Accuracy(argv[1], atof(argv[2]), atoi(argv[3]));
    RunTime(argv[4]);
    return 0;
}
