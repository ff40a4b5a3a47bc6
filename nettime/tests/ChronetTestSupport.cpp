#include "nettime/tests/ChronetTestSupport.h"

#include <cmath>
#include <cstdlib>

#include "framework/testing/TestSupport.h"
#include "nettime/win/ChronetState.h"
#include "nettime/win/resource.h"

namespace tembra::nettime::test {

std::string WindowText(HWND hwnd) {
    int n = static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(n) + 1, '\0');
    n = static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

namespace {

BOOL CALLBACK TakeFirstDialog(HWND hwnd, LPARAM param) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (strcmp(cls, "#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
}

}  // namespace

HWND FindLogDialog(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(threadId, TakeFirstDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

int FindLine(const std::vector<std::string>& lines, const std::string& prefix, int from) {
    for (int i = from; i < static_cast<int>(lines.size()); ++i)
        if (lines[i].compare(0, prefix.size(), prefix) == 0) return i;
    return -1;
}

double SummaryOffset(const std::string& shown) {
    static const std::string kStart =
        "\r\n\r\n=================================\r\nLocal clock offset was ";
    if (shown.compare(0, kStart.size(), kStart) != 0 ||
        shown.compare(shown.size() - 10, 10, " seconds\r\n") != 0)
        return std::nan("");
    return std::strtod(shown.c_str() + kStart.size(), nullptr);
}

AppRun::AppRun(ChronetLaunch launch, HINSTANCE instance) : launch_(std::move(launch)) {
    commandLine_ = launch_.commandLine ? launch_.commandLine : "";
    launch_.commandLine = commandLine_.c_str();
    if (!instance) instance = GetModuleHandleA(nullptr);
    thread_ = std::thread([this, instance] {
        threadId_ = GetCurrentThreadId();
        RunChronet(instance, launch_);
        ended_ = true;
    });
}

AppRun::~AppRun() {
    if (!ended_ && threadId_ != 0) {
        // Closed like the user closes it; a program without its window is told to quit.
        if (HWND d = FindLogDialog(threadId_))
            PostMessageA(d, WM_CLOSE, 0, 0);
        else
            PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    }
    if (thread_.joinable()) thread_.join();
}

HWND AppRun::WaitDialog(DWORD timeoutMs) {
    tembra::test::WaitUntil(
        [this] {
            // Found once initialised: the edit holds the log's start.
            if (threadId_ == 0 || (dialog_ = FindLogDialog(threadId_)) == nullptr) return false;
            return EditText().rfind("Initializing...", 0) == 0;
        },
        timeoutMs);
    return dialog_;
}

std::string AppRun::EditText() const {
    return dialog_ ? WindowText(GetDlgItem(dialog_, IDC_LOG)) : std::string();
}

bool AppRun::WaitEditContains(const std::string& text, DWORD timeoutMs) {
    return tembra::test::WaitUntil(
        [&] { return IsWindow(dialog_) && EditText().find(text) != std::string::npos; },
        timeoutMs);
}

bool AppRun::WaitEnded(DWORD timeoutMs) {
    return tembra::test::WaitUntil([this] { return ended_.load(); }, timeoutMs);
}

bool AppRun::WaitRunEnd(DWORD timeoutMs) {
    return tembra::test::WaitUntil(
        [this] {
            return IsWindowVisible(dialog_) && !IsWindowVisible(GetDlgItem(dialog_, IDC_HIDE));
        },
        timeoutMs);
}

std::string AppRun::Log() const { return ended_ ? g_log : std::string(); }

void AppRun::PressCancel() { PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0); }

}  // namespace tembra::nettime::test
