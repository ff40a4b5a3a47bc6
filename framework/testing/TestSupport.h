// Helpers for the Win32 tests: registry isolation, a recorder for the system seam,
// starting the real programs and waiting for their windows.
#pragma once
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/SystemActions.h"

namespace tembra::test {

// Redirects HKEY_CURRENT_USER of this process to a private key for the object's lifetime,
// so in-process tests never see each other's registry data or the real user's.
class ScopedRegistrySandbox {
public:
    ScopedRegistrySandbox();
    ~ScopedRegistrySandbox();
    ScopedRegistrySandbox(const ScopedRegistrySandbox&) = delete;
    ScopedRegistrySandbox& operator=(const ScopedRegistrySandbox&) = delete;

private:
    std::string path_;
    UniqueRegKey key_;
};

// Records every outside action instead of performing it; installed while it lives. Its
// actions may be called from any thread; `calls` is read once they have come back.
class RecordingSystem : public SystemActions {
public:
    RecordingSystem();
    ~RecordingSystem() override;
    bool StartProgram(const ProgramStart& start) override;
    bool PlaySoundFile(const std::string& file, UINT flags) override;
    void DefaultBeep() override;
    bool ShutDown(UINT flags, bool enablePrivilege) override;
    bool SetLocalClock(const SYSTEMTIME& time, DWORD* error) override;

    std::vector<std::string> calls;
    bool startResult = true;
    bool setClockResult = true;
    DWORD setClockError = 0;
    std::vector<SYSTEMTIME> clockSets;
    std::vector<SYSTEMTIME> clockSetMoments;  // the local time when each was asked for

private:
    std::mutex mutex_;
    SystemActions* previous_;
};

// Registry access that bypasses the code under test.
bool RegWriteDword(const std::string& path, const std::string& name, DWORD value);
bool RegWriteString(const std::string& path, const std::string& name, const std::string& value);
bool RegWriteBinary(const std::string& path, const std::string& name, const void* data, DWORD size);
bool RegReadDword(const std::string& path, const std::string& name, DWORD* value);
bool RegReadString(const std::string& path, const std::string& name, std::string* value);
bool RegValueExists(const std::string& path, const std::string& name);
bool RegKeyExists(const std::string& path);
std::vector<std::string> RegValueNames(const std::string& path);
void RegDeleteTreeAt(const std::string& path);

// Windows path of the folder that holds the built programs.
std::string BinDir();

// A program started by a test; killed (by its handle) when the object goes away.
class ChildProcess {
public:
    // `environment` entries "NAME=value" are added to this process's environment. A process
    // started `suspended` runs once Resume() lets it go.
    bool Start(const std::string& exe, const std::string& args,
               const std::vector<std::string>& environment = {}, bool suspended = false);
    void Resume() { ResumeThread(thread_.get()); }
    ~ChildProcess();
    bool WaitExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    DWORD pid() const { return pid_; }
    HANDLE handle() const { return process_.get(); }
    void Kill();

private:
    UniqueKernelHandle process_, thread_;
    DWORD pid_ = 0;
};

// Starts `exe` in both at the same moment (created suspended, then let go together) and
// returns which of them ends first within `timeoutMs` (0 or 1), or -1.
int StartTogetherUntilOneEnds(const std::string& exe, ChildProcess (&both)[2], DWORD timeoutMs);

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Finds a top-level window by class and/or title, waiting up to `timeoutMs`.
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs);
// A top-level window of process `pid` with this class (null: any) and, when `title` is given,
// visible with exactly that title.
HWND FindProcessWindow(DWORD pid, const char* className, const char* title);
// Finds a top-level window of class `className` that belongs to process `pid`, waiting up
// to `timeoutMs`: a window of another copy (one still closing, say) is never taken for it.
HWND WaitForProcessWindow(DWORD pid, const char* className, DWORD timeoutMs);
// Waits until no top-level window of class `className` is left.
bool WaitForNoWindow(const char* className, DWORD timeoutMs);
// Waits until the thread of `window`, a window of this process, has handled every message
// posted to it before the call: a marker posted after them has been taken from its queue.
// What it posts while handling them may still be queued behind the marker.
bool WaitForPostedMessages(HWND window, DWORD timeoutMs = 10000);

// Title of a window, text of a dialog's control (both work across processes).
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);

// Enter on `control` of `dialog`, whose modal loop runs on another thread: the focus moved
// there as Tab moves it, then the key; both posted, so they reach that loop in turn.
void PostEnterOn(HWND dialog, HWND control);

// Dispatches this thread's pending messages for about `ms` milliseconds.
void PumpMessages(DWORD ms);

// Counts the access violations raised while it lives, also those that Wine (like 64-bit
// Windows) swallows in a message sent from another thread, where no test would see them.
class AccessViolationWatch {
public:
    AccessViolationWatch();
    ~AccessViolationWatch();
    AccessViolationWatch(const AccessViolationWatch&) = delete;
    AccessViolationWatch& operator=(const AccessViolationWatch&) = delete;
    int count() const;

private:
    PVOID handler_;
};

}  // namespace tembra::test
