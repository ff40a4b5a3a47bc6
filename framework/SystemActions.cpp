#include "framework/SystemActions.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "framework/Handles.h"

namespace tembra {
namespace {

bool EnablePrivilege(const char* name) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
        return false;
    UniqueKernelHandle token(raw);
    TOKEN_PRIVILEGES tp{};
    if (!LookupPrivilegeValueA(nullptr, name, &tp.Privileges[0].Luid)) return false;
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!AdjustTokenPrivileges(token.get(), FALSE, &tp, 0, nullptr, nullptr)) return false;
    // AdjustTokenPrivileges succeeds even when the privilege is not held.
    return GetLastError() == ERROR_SUCCESS;
}

class RealSystemActions : public SystemActions {
public:
    bool StartProgram(const ProgramStart& start) override {
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof(info);
        // Without FLAG_NO_UI the shell shows a modal error box for a missing program and
        // blocks the caller's thread until someone closes it.
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.lpFile = start.file.c_str();
        info.lpParameters = start.parameters.empty() ? nullptr : start.parameters.c_str();
        info.lpDirectory = start.directory.empty() ? nullptr : start.directory.c_str();
        info.nShow = SW_SHOWNORMAL;
        return ShellExecuteExA(&info) != FALSE;
    }
    bool PlaySoundFile(const std::string& file, UINT flags) override {
        return sndPlaySoundA(file.empty() ? nullptr : file.c_str(), flags) != FALSE;
    }
    void DefaultBeep() override { MessageBeep(0xFFFFFFFF); }
    bool ShutDown(UINT flags, bool enablePrivilege) override {
        if (enablePrivilege) EnablePrivilege(SE_SHUTDOWN_NAME);
        return ExitWindowsEx(flags, 0) != FALSE;
    }
    bool SetLocalClock(const SYSTEMTIME& time, DWORD* error) override {
        EnablePrivilege(SE_SYSTEMTIME_NAME);
        // The first call may land on the wrong side of a daylight-saving change, because
        // the conversion uses the time zone information in force before the change; the
        // second call uses the new one.
        BOOL ok = SetLocalTime(&time) && SetLocalTime(&time);
        if (error) *error = ok ? 0 : GetLastError();
        return ok != FALSE;
    }
};

// Writes one line per action to a file and performs nothing.
class RecordingSystemActions : public SystemActions {
public:
    explicit RecordingSystemActions(std::string path) : path_(std::move(path)) {}
    bool StartProgram(const ProgramStart& start) override {
        return Write(DescribeStart(start));
    }
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
        snprintf(line, sizeof line, "setclock|%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth,
                 t.wDay, t.wHour, t.wMinute, t.wSecond);
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

SystemActions* g_override = nullptr;

SystemActions& DefaultActions() {
    static SystemActions* actions = [] () -> SystemActions* {
        char path[MAX_PATH];
        DWORD n = GetEnvironmentVariableA("TEMBRA_RECORD_SYSTEM_CALLS", path, sizeof path);
        if (n > 0 && n < sizeof path) return new RecordingSystemActions(path);
        return new RealSystemActions;
    }();
    return *actions;
}

}  // namespace

SystemActions& System() { return g_override ? *g_override : DefaultActions(); }

SystemActions* SetSystemActions(SystemActions* actions) {
    SystemActions* previous = g_override;
    g_override = actions;
    return previous;
}

std::string DescribeStart(const ProgramStart& start) {
    return "start|" + start.file + "|" + start.parameters + "|" + start.directory;
}

}  // namespace tembra
