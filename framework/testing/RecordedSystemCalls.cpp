// Linked into the test builds of the programs only, never into what ships: when the
// environment variable TEMBRA_RECORD_SYSTEM_CALLS names a file, every outside action is
// described there, one line each, and performed not at all. Tests that drive the real
// programs read that file.
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>

#include "framework/SystemActions.h"

namespace tembra {
namespace {

class RecordingSystemActions : public SystemActions {
public:
    explicit RecordingSystemActions(std::string path) : path_(std::move(path)) {}
    bool StartProgram(const ProgramStart& start) override { return Write(DescribeStart(start)); }
    bool PlaySoundFile(const std::string& file, UINT flags) override {
        return Write("sound|" + file + "|" + std::to_string(flags));
    }
    void DefaultBeep() override { Write("beep"); }
    bool ShutDown(UINT flags, bool enablePrivilege) override {
        Write("shutdown|" + std::to_string(flags) + "|" + (enablePrivilege ? "1" : "0"));
        return true;
    }
    bool SetLocalClock(const SYSTEMTIME& t, DWORD* error) override {
        char line[64];
        snprintf(line, sizeof line, "setclock|%04u-%02u-%02u %02u:%02u:%02u.%03u", t.wYear,
                 t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
        if (error) *error = 0;
        return Write(line);
    }

private:
    bool Write(const std::string& line) {
        // Programs are also started from threads other than the clock's.
        std::lock_guard<std::mutex> lock(mutex_);
        FILE* f = fopen(path_.c_str(), "ab");
        if (!f) return false;
        fprintf(f, "%s\r\n", line.c_str());
        fclose(f);
        return true;
    }
    std::string path_;
    std::mutex mutex_;
};

// Before main: installed ahead of anything the program does.
const bool g_recorderInstalled = [] {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("TEMBRA_RECORD_SYSTEM_CALLS", path, sizeof path);
    if (n == 0 || n >= sizeof path) return false;
    SetSystemActions(new RecordingSystemActions(path));  // lives as long as the process
    return true;
}();

}  // namespace
}  // namespace tembra
