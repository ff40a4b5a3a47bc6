#include "nettime/win/ChronetDlg.h"

#include "framework/ModulePath.h"
#include "framework/SystemActions.h"
#include "nettime/core/Report.h"
#include "nettime/core/SyncMath.h"
#include "nettime/win/ChronetState.h"
#include "nettime/win/Messages.h"
#include "nettime/win/SyncRun.h"
#include "nettime/win/resource.h"

namespace tembra::nettime {
namespace {

constexpr char kTrayTip[] = "Tembra Internet Time";
// BCM_SETSHIELD, which the headers declare for Vista and later only; older systems ignore it.
constexpr UINT kSetShield = 0x160C;

}  // namespace

bool StopWorker(UniqueKernelHandle& worker, HANDLE stopEvent, DWORD timeoutMs) {
    if (!worker) return true;
    if (stopEvent) SetEvent(stopEvent);
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
        // A program sending to us now must not be left blocked until the wait ends.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker.reset();
    return ended;
}

CTCChronetDlg::CTCChronetDlg(HICON largeIcon, HICON smallIcon)
    : largeIcon_(largeIcon),
      smallIcon_(smallIcon),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

HWND CTCChronetDlg::Create(HINSTANCE instance, HWND mainWindow) {
    mainWindow_ = mainWindow;
    return CreateModeless(instance, IDD_CHRONET, nullptr);
}

INT_PTR CTCChronetDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
        OnTaskbarCreated();
        return TRUE;
    }
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            OnCancel();
        else if (LOWORD(wParam) == IDC_HIDE)
            ShowInTray(true);
        else if (LOWORD(wParam) == IDC_RUN_AS_ADMIN)
            OnRunElevated();
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_TRAYNOTIFY:
        OnTrayNotify(lParam);
        return TRUE;
    case WM_LOGAPPEND:
        OnLogAppend();
        return TRUE;
    case WM_SYNCDONE:
        OnSyncDone();
        return TRUE;
    }
    return FALSE;
}

BOOL CTCChronetDlg::OnInitDialog() {
    HWND edit = GetDlgItem(hwnd_, IDC_LOG);
    SetWindowTextA(edit, g_log.c_str());
    SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
    if (g_chronet.options.trayMode) ShowInTray(true);
    StartWorker();
    return TRUE;
}

void CTCChronetDlg::StartWorker() {
    g_chronet.run->dialog = hwnd_;
    worker_.reset(g_chronet.startWorker(g_chronet.run));
    if (worker_) {
        SetThreadPriority(worker_.get(), THREAD_PRIORITY_NORMAL);
        return;
    }
    // No run will ever end: end it here, so the window shows why and waits for the user.
    g_log += std::string("\r\n") + log_text::kNoWorker;
    ShowWholeLog();
    EndWithResultShown("");
}

void CTCChronetDlg::ShowInTray(bool on) {
    inTray_ = on;
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

void CTCChronetDlg::ShowWholeLog() {
    ShowLog(g_log);
    logBehind_ = false;
}

// The wait takes the messages other threads and programs send, a second Cancel or a close
// among them: those are ignored while it lasts, as the Cancel under way ends the program.
void CTCChronetDlg::OnCancel() {
    if (cancelling_) return;
    cancelling_ = true;
    g_log += log_text::kWaiting;
    ShowWholeLog();
    StopWorker(worker_, g_chronet.stopEvent.get(), g_chronet.workerStopWaitMs);
    TakeLogLines();  // what the worker still reported belongs to the log
    DestroyWindow(hwnd_);
}

// The close box ends at once; the exit path stops the worker.
void CTCChronetDlg::OnClose() {
    if (!cancelling_) DestroyWindow(hwnd_);
}

// Setting the edit's text costs Wine tens of milliseconds: lines that arrive together are
// shown together, and none once the run has ended, as its end shows the result next.
void CTCChronetDlg::OnLogAppend() {
    const bool hide = TakeLogLines();
    if (hide || (logBehind_ && !g_chronet.run->finished())) ShowWholeLog();
    if (hide) EndDialog(hwnd_, IDCANCEL);  // a modeless dialog is only hidden
}

// Appends the lines the worker has queued to the log; true when one of them asks to hide
// the window.
bool CTCChronetDlg::TakeLogLines() {
    bool hide = false;
    for (LogLine& line : g_chronet.run->TakeLines()) {
        g_log += "\r\n" + line.text;
        hide = hide || line.hideDialog;
        logBehind_ = true;
    }
    return hide;
}

// The run's end is taken from the run itself, once its worker has ended; the message only
// says when to look, so a forged or repeated one changes nothing.
bool CTCChronetDlg::TakeEndedWorker() {
    if (cancelling_ || !worker_ || !g_chronet.run->finished()) return false;
    // The worker posts the end as its last act: only its exit is left to wait for.
    if (WaitForSingleObject(worker_.get(), g_chronet.workerStopWaitMs) != WAIT_OBJECT_0)
        return false;
    worker_.reset();
    return true;
}

void CTCChronetDlg::OnSyncDone() {
    if (!TakeEndedWorker()) return;
    const SyncRunState& run = *g_chronet.run;
    const int count = run.count();
    std::string shown;
    bool refusedForRights = false;
    if (ShouldSetClock(run.options, count)) {
        DWORD error = 0;
        if (AdjustClock(run, count, &error)) {
            PostMessageA(hwnd_, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        // Say so and stay open as after a report: the user must not think the clock is right.
        const std::string line = ClockSetFailedLine(error);
        g_log += "\r\n" + line;
        shown = "\r\n" + line;
        refusedForRights = NeedsAdministrator(error);
    }
    if (count > 0) shown += SummaryText(CombineOffsets(run.results.data(), count));
    // Without a summary the window shows the whole log.
    TakeLogLines();
    if (shown.empty() && logBehind_) ShowWholeLog();
    EndWithResultShown(shown);
    if (refusedForRights) OfferElevatedRun();
}

// Elevation is asked for only when the user presses the button: one prompt, no surprise.
void CTCChronetDlg::OfferElevatedRun() {
    elevationOffered_ = true;
    HWND button = GetDlgItem(hwnd_, IDC_RUN_AS_ADMIN);
    SendMessageA(button, kSetShield, 0, TRUE);  // the shield of a button that asks for rights
    ShowWindow(button, SW_SHOW);
}

// Starts this program again with administrator rights to repeat the run and set the clock,
// then ends: this run's worker is gone, so ending does not stop the new run. When the user
// refuses the prompt the offer stands.
void CTCChronetDlg::OnRunElevated() {
    if (!elevationOffered_) return;
    const std::string path = ProgramPath();
    if (path.empty()) return;
    ProgramStart start{path, RepeatToSetClockCommandLine(g_chronet.run->options), DirectoryOf(path)};
    start.verb = "runas";
    if (System().StartProgram(start)) DestroyWindow(hwnd_);
}

void CTCChronetDlg::EndWithResultShown(const std::string& shown) {
    if (!shown.empty()) ShowLog(shown);
    ShowInTray(false);
    ShowWindow(GetDlgItem(hwnd_, IDC_HIDE), SW_HIDE);
}

void CTCChronetDlg::OnTrayNotify(LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK) ShowInTray(false);
}

// A restarted shell has forgotten every icon: a hidden window would be out of reach.
void CTCChronetDlg::OnTaskbarCreated() {
    if (inTray_) tray_.Add(hwnd_, smallIcon_, kTrayTip, WM_TRAYNOTIFY);
}

void CTCChronetDlg::OnDestroy() {
    tray_.Remove();
    PostQuitMessage(0);
    if (mainWindow_) PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
}

}  // namespace tembra::nettime
