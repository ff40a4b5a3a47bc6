// Helpers for the Chronet tests under Wine: running the program in a thread of the test,
// reading its log window, and comparing log lines.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "nettime/win/ChronetApp.h"

namespace tembra::nettime::test {

std::string WindowText(HWND hwnd);
// The log dialog of this process's running copy, or null.
HWND FindLogDialog(DWORD threadId);
// Splits a log on CR LF.
std::vector<std::string> SplitLines(const std::string& text);
// Index of the first line at or after `from` that starts with `prefix`, or -1.
int FindLine(const std::vector<std::string>& lines, const std::string& prefix, int from = 0);
// The offset in seconds that a shown summary gives; not a number when `shown` starts
// otherwise than with the summary.
double SummaryOffset(const std::string& shown);

// Runs RunChronet on its own thread, as the program's interface thread, with the resources
// of `instance` (null: this test program's).
class AppRun {
public:
    explicit AppRun(ChronetLaunch launch, HINSTANCE instance = nullptr);
    ~AppRun();
    AppRun(const AppRun&) = delete;
    AppRun& operator=(const AppRun&) = delete;

    // Waits for the log dialog to exist.
    HWND WaitDialog(DWORD timeoutMs = 5000);
    HWND dialog() const { return dialog_; }
    std::string EditText() const;
    bool WaitEditContains(const std::string& text, DWORD timeoutMs);
    // Waits for the end of a run that did not set the clock: window shown, "&Hide" gone.
    bool WaitRunEnd(DWORD timeoutMs);
    // Waits for RunChronet to return.
    bool WaitEnded(DWORD timeoutMs);
    bool ended() const { return ended_; }
    // The full log, readable once the run has ended.
    std::string Log() const;
    void PressCancel();

private:
    ChronetLaunch launch_;
    std::string commandLine_;
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ended_{false};
    HWND dialog_ = nullptr;
};

}  // namespace tembra::nettime::test
