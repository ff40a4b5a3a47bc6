// Accuracy of one exchange against a server shifted by a known amount, and the run time
// of a report-only run of the real program against three local servers.
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

void RunTime(const std::string& folder) {
    std::string exe = folder + "\\Chronet.exe";
    std::string commandLine = "\"" + exe + "\" 3";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        printf("report-only run: cannot start %s\n", exe.c_str());
        return;
    }
    HWND dialog = nullptr;
    bool done = false;
    for (int i = 0; i < 20000 && !done; ++i) {
        if (!dialog) dialog = FindWindowA("#32770", "Tembra Internet Time");
        done = dialog && EditText(dialog).find("=====") != std::string::npos;
        if (!done) Sleep(1);
    }
    QueryPerformanceCounter(&t1);
    printf("report-only run with 3 local servers: %.1f ms from start to summary%s\n",
           (t1.QuadPart - t0.QuadPart) * 1e3 / f.QuadPart, done ? "" : " (no summary)");
    if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
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
