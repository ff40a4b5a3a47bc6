#include "nettime/win/ChronetDlg.h"

#include "nettime/core/Report.h"
#include "nettime/core/SyncMath.h"
#include "nettime/win/ChronetState.h"
#include "nettime/win/Messages.h"
#include "nettime/win/SyncRun.h"
#include "nettime/win/resource.h"

namespace tembra::nettime {
namespace {

constexpr char kTrayTip[] = "Tembra Internet Time";
constexpr DWORD kWorkerStopTimeoutMs = 10000;

}  // namespace

bool StopWorker(UniqueKernelHandle& worker, DWORD timeoutMs) {
    if (!worker) return true;
    if (g_chronet.stopEvent) SetEvent(g_chronet.stopEvent.get());
    bool ended = false;
    HANDLE thread = worker.get();
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) break;
        const DWORD r =
            MsgWaitForMultipleObjects(1, &thread, FALSE, timeoutMs - elapsed, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) ended = true;
        if (r != WAIT_OBJECT_0 + 1) break;
        // Let the worker's blocking log line through; it then sees the stop event and ends.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker.reset();
    return ended;
}

HWND CTCChronetDlg::Create(HINSTANCE instance, HWND mainWindow) {
    mainWindow_ = mainWindow;
    return CreateModeless(instance, IDD_CHRONET, nullptr);
}

INT_PTR CTCChronetDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            OnCancel();
        else if (LOWORD(wParam) == IDC_HIDE)
            ShowInTray(true);
        return TRUE;
    case WM_CLOSE:
        // The close box ends at once; the exit path stops the worker.
        DestroyWindow(hwnd_);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_TRAYNOTIFY:
        OnTrayNotify(lParam);
        return TRUE;
    case WM_LOGAPPEND:
        OnLogAppend(reinterpret_cast<const char*>(wParam), lParam != 0);
        return TRUE;
    case WM_SYNCDONE:
        OnSyncDone(static_cast<int>(lParam));
        return TRUE;
    }
    return FALSE;
}

BOOL CTCChronetDlg::OnInitDialog() {
    HWND edit = GetDlgItem(hwnd_, IDC_LOG);
    SetWindowTextA(edit, g_log.c_str());
    SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    DWORD threadId = 0;
    worker_.reset(CreateThread(nullptr, 0, SyncThreadProc, hwnd_, 0, &threadId));
    if (worker_) SetThreadPriority(worker_.get(), THREAD_PRIORITY_NORMAL);
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
    if (g_chronet.options.trayMode) ShowInTray(true);
    return TRUE;
}

void CTCChronetDlg::ShowInTray(bool on) {
    if (on) {
        tray_.Add(hwnd_, smallIcon_, kTrayTip, WM_TRAYNOTIFY);
        ShowWindow(hwnd_, SW_HIDE);
    } else {
        ShowWindow(hwnd_, SW_SHOW);
        tray_.Remove();
    }
}

void CTCChronetDlg::ShowLog(const std::string& text) {
    HWND edit = GetDlgItem(hwnd_, IDC_LOG);
    SetWindowTextA(edit, text.c_str());
    // Scroll past the end: the edit stops at its last line.
    LPARAM lines = 4;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] == '\r') ++lines;
    SendMessageA(edit, EM_LINESCROLL, 0, lines);
}

void CTCChronetDlg::OnCancel() {
    g_log += log_text::kWaiting;
    ShowLog(g_log);
    if (g_chronet.stopEvent) SetEvent(g_chronet.stopEvent.get());
    StopWorker(worker_, kWorkerStopTimeoutMs);
    DestroyWindow(hwnd_);
}

void CTCChronetDlg::OnLogAppend(const char* line, bool hide) {
    g_log += "\r\n";
    if (line) g_log += line;
    ShowLog(g_log);
    if (hide) EndDialog(hwnd_, IDCANCEL);  // a modeless dialog is only hidden
}

void CTCChronetDlg::OnSyncDone(int count) {
    std::string shown;
    if (ShouldSetClock(g_chronet.options, count)) {
        DWORD error = 0;
        if (AdjustClock(count, &error)) {
            PostMessageA(hwnd_, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        // Say so and stay open as after a report: the user must not think the clock is right.
        const std::string line = ClockSetFailedLine(error);
        g_log += "\r\n" + line;
        shown = "\r\n" + line;
    }
    if (count > 0) shown += SummaryText(CombineOffsets(g_chronet.results.data(), count));
    EndWithResultShown(shown);
}

void CTCChronetDlg::EndWithResultShown(const std::string& shown) {
    if (!shown.empty()) ShowLog(shown);
    ShowInTray(false);
    ShowWindow(GetDlgItem(hwnd_, IDC_HIDE), SW_HIDE);
}

void CTCChronetDlg::OnTrayNotify(LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK) ShowInTray(false);
}

void CTCChronetDlg::OnDestroy() {
    tray_.Remove();
    PostQuitMessage(0);
    if (mainWindow_) PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
}

}  // namespace tembra::nettime
