#include "framework/testing/TestSupport.h"

#include <shlwapi.h>

#include <atomic>
#include <cstdio>

namespace tembra::test {

ScopedRegistrySandbox::ScopedRegistrySandbox() {
    static int counter = 0;
    char path[96];
    snprintf(path, sizeof path, "Software\\TembraTestSandbox\\%lu-%d", GetCurrentProcessId(),
             ++counter);
    path_ = path;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    HKEY raw = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                    nullptr);
    key_.reset(raw);
    RegOverridePredefKey(HKEY_CURRENT_USER, key_.get());
}

ScopedRegistrySandbox::~ScopedRegistrySandbox() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    key_.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
}

RecordingSystem::RecordingSystem() : previous_(SetSystemActions(this)) {}
RecordingSystem::~RecordingSystem() { SetSystemActions(previous_); }

bool RecordingSystem::StartProgram(const ProgramStart& start) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls.push_back(DescribeStart(start));
    return startResult;
}
bool RecordingSystem::PlaySoundFile(const std::string& file, UINT flags) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls.push_back("sound|" + file + "|" + std::to_string(flags));
    return true;
}
void RecordingSystem::DefaultBeep() {
    std::lock_guard<std::mutex> lock(mutex_);
    calls.push_back("beep");
}
bool RecordingSystem::ShutDown(UINT flags, bool enablePrivilege) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls.push_back("shutdown|" + std::to_string(flags) + "|" + (enablePrivilege ? "1" : "0"));
    return true;
}
bool RecordingSystem::SetLocalClock(const SYSTEMTIME& time, DWORD* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls.push_back("setclock");
    clockSets.push_back(time);
    SYSTEMTIME now;
    GetLocalTime(&now);
    clockSetMoments.push_back(now);
    if (error) *error = setClockResult ? 0 : setClockError;
    return setClockResult;
}

namespace {
UniqueRegKey OpenForWrite(const std::string& path) {
    HKEY raw = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                    nullptr);
    return UniqueRegKey(raw);
}
UniqueRegKey OpenForRead(const std::string& path) {
    HKEY raw = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw);
    return UniqueRegKey(raw);
}
}  // namespace

bool RegWriteDword(const std::string& path, const std::string& name, DWORD value) {
    auto key = OpenForWrite(path);
    return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&value), 4) == ERROR_SUCCESS;
}
bool RegWriteString(const std::string& path, const std::string& name, const std::string& value) {
    auto key = OpenForWrite(path);
    return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}
bool RegWriteBinary(const std::string& path, const std::string& name, const void* data,
                    DWORD size) {
    auto key = OpenForWrite(path);
    return key && RegSetValueExA(key.get(), name.c_str(), 0, REG_BINARY,
                                 static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}
bool RegReadDword(const std::string& path, const std::string& name, DWORD* value) {
    auto key = OpenForRead(path);
    DWORD size = sizeof(*value), type = 0;
    return key && RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
           type == REG_DWORD;
}
bool RegReadString(const std::string& path, const std::string& name, std::string* value) {
    auto key = OpenForRead(path);
    char buffer[1024];
    DWORD size = sizeof buffer - 1, type = 0;
    if (!key || RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    buffer[size] = 0;
    *value = buffer;
    return true;
}
bool RegValueExists(const std::string& path, const std::string& name) {
    auto key = OpenForRead(path);
    return key && RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS;
}
bool RegKeyExists(const std::string& path) { return static_cast<bool>(OpenForRead(path)); }
std::vector<std::string> RegValueNames(const std::string& path) {
    std::vector<std::string> names;
    auto key = OpenForRead(path);
    if (!key) return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD size = sizeof name;
        if (RegEnumValueA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, size);
    }
    return names;
}
void RegDeleteTreeAt(const std::string& path) { SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str()); }

std::string BinDir() { return TEMBRA_BIN_DIR; }

bool ChildProcess::Start(const std::string& exe, const std::string& args,
                         const std::vector<std::string>& environment, bool suspended) {
    for (const auto& entry : environment) {
        auto eq = entry.find('=');
        SetEnvironmentVariableA(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str());
    }
    std::string commandLine = "\"" + exe + "\"";
    if (!args.empty()) commandLine += " " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    BOOL ok = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                             suspended ? CREATE_SUSPENDED : 0, nullptr, nullptr, &si, &pi);
    for (const auto& entry : environment)
        SetEnvironmentVariableA(entry.substr(0, entry.find('=')).c_str(), nullptr);
    if (!ok) return false;
    thread_.reset(pi.hThread);
    process_.reset(pi.hProcess);
    pid_ = pi.dwProcessId;
    return true;
}

ChildProcess::~ChildProcess() { Kill(); }

void ChildProcess::Kill() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

bool ChildProcess::WaitExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_.get(), exitCode);
    return true;
}

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int StartTogetherUntilOneEnds(const std::string& exe, ChildProcess (&both)[2], DWORD timeoutMs) {
    for (ChildProcess& process : both)
        if (!process.Start(exe, "", {}, true)) return -1;
    for (ChildProcess& process : both) process.Resume();
    HANDLE processes[] = {both[0].handle(), both[1].handle()};
    const DWORD ended = WaitForMultipleObjects(2, processes, FALSE, timeoutMs) - WAIT_OBJECT_0;
    return ended < 2 ? static_cast<int>(ended) : -1;
}

void PostEnterOn(HWND dialog, HWND control) {
    PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    PostMessageA(control, WM_KEYDOWN, VK_RETURN, 0);
}

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        PumpMessages(20);
    }
}

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowA(className, title)) != nullptr; }, timeoutMs);
    return found;
}

}  // namespace tembra::test

namespace tembra::test {
namespace {
struct WindowSearch {
    DWORD pid;
    const char* className;  // or null: any class
    const char* title;      // or null: any title; else a visible window with exactly this title
    HWND found;
};
BOOL CALLBACK MatchWindowOfProcess(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid) return TRUE;
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (search->className && lstrcmpA(name, search->className) != 0) return TRUE;
    if (search->title && (!IsWindowVisible(hwnd) || WindowText(hwnd) != search->title))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}
}  // namespace

HWND FindProcessWindow(DWORD pid, const char* className, const char* title) {
    WindowSearch search{pid, className, title, nullptr};
    EnumWindows(MatchWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForProcessWindow(DWORD pid, const char* className, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessWindow(pid, className, nullptr)) != nullptr; },
              timeoutMs);
    return found;
}

bool WaitForNoWindow(const char* className, DWORD timeoutMs) {
    return WaitUntil([&] { return FindWindowA(className, nullptr) == nullptr; }, timeoutMs);
}

namespace {

std::atomic<LPARAM> g_markerTaken{0};

LRESULT CALLBACK NoteMarker(int code, WPARAM removed, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_NULL && msg->lParam)
        g_markerTaken = msg->lParam;
    return CallNextHookEx(nullptr, code, removed, lParam);
}

}  // namespace

bool WaitForPostedMessages(HWND window, DWORD timeoutMs) {
    static std::atomic<LPARAM> marker{0};
    const LPARAM mine = ++marker;
    // Posted messages leave a thread's queue in order, so the marker comes after them.
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, NoteMarker, nullptr,
                                   GetWindowThreadProcessId(window, nullptr));
    if (!hook || !PostMessageA(window, WM_NULL, 0, mine)) {
        if (hook) UnhookWindowsHookEx(hook);
        return false;
    }
    const bool taken = WaitUntil([&] { return g_markerTaken == mine; }, timeoutMs);
    UnhookWindowsHookEx(hook);
    return taken;
}

namespace {

std::atomic<int> g_accessViolations{0};

LONG CALLBACK CountAccessViolation(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++g_accessViolations;
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

AccessViolationWatch::AccessViolationWatch() {
    g_accessViolations = 0;
    handler_ = AddVectoredExceptionHandler(1, CountAccessViolation);
}

AccessViolationWatch::~AccessViolationWatch() {
    if (handler_) RemoveVectoredExceptionHandler(handler_);
}

int AccessViolationWatch::count() const { return g_accessViolations; }

}  // namespace tembra::test
