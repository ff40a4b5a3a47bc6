#include "nettime/win/ChronetApp.h"

#include "framework/Window.h"
#include "nettime/core/Report.h"
#include "nettime/win/ChronetDlg.h"
#include "nettime/win/ChronetState.h"
#include "nettime/win/Settings.h"
#include "nettime/win/resource.h"

namespace tembra::nettime {

ChronetState g_chronet;
std::string g_log;

namespace {

// The hidden window that owns the message loop; it creates the log dialog.
class CChronetMainWindow : public CWindow {
public:
    explicit CChronetMainWindow(CTCChronetDlg* dialog) : dialog_(dialog) {}

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_CREATE:
            return OnCreate();
        case WM_CLOSE:
            DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        }
        return DefaultProc(msg, wParam, lParam);
    }

private:
    // Without its log window the program would live on unseen: then the main window
    // refuses to be made and the program ends.
    LRESULT OnCreate() {
        HWND dialog = dialog_->Create(g_chronet.instance, hwnd_);
        if (!dialog) return -1;
        if (!g_chronet.options.trayMode) ShowWindow(dialog, SW_SHOW);
        return 0;
    }
    CTCChronetDlg* dialog_;
};

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_CHRONET_LARGE));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kMainWindowClass;
    // A second run inside one process (tests) finds the class already there.
    return CWindow::RegisterWindowClass(wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HICON LoadSizedIcon(HINSTANCE instance, int id, int metricX, int metricY) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0));
}

void RunMessageLoop(const CTCChronetDlg& dialog) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Tab between the controls, Esc as Cancel.
        if (dialog.hwnd() && IsDialogMessageA(dialog.hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void ResetState(HINSTANCE instance, const ChronetLaunch& launch) {
    g_chronet.instance = instance;
    g_chronet.options = ReadOptions(launch.commandLine);
    g_chronet.run.reset();
    g_chronet.startWorker = launch.startWorker;
    g_chronet.workerStopWaitMs = launch.workerStopWaitMs;
    g_log = log_text::kInitial;
}

}  // namespace

int RunChronet(HINSTANCE instance, const ChronetLaunch& launch) {
    ResetState(instance, launch);
    if (!RegisterMainClass(instance)) return 0;

    UniqueIcon largeIcon(LoadSizedIcon(instance, IDI_CHRONET_LARGE, SM_CXICON, SM_CYICON));
    UniqueIcon smallIcon(LoadSizedIcon(instance, IDI_CHRONET_SMALL, SM_CXSMICON, SM_CYSMICON));
    // Opens the event of a running copy when there is one, keeping its state.
    g_chronet.stopEvent.reset(CreateEventA(nullptr, TRUE, FALSE, kStopEventName));
    g_chronet.run = std::make_shared<SyncRunState>(g_chronet.options, launch.servers, launch.port,
                                                   g_chronet.stopEvent.get());

    CTCChronetDlg dialog(largeIcon.get(), smallIcon.get());
    CChronetMainWindow mainWindow(&dialog);
    if (mainWindow.Create(kMainWindowClass, "", 0, 0, 0, 0, 100, 30, nullptr, instance)) {
        RunMessageLoop(dialog);
        // A worker still running after the wait keeps its share of the run, with its own
        // handle on the stop event: letting go of ours frees nothing it uses.
        StopWorker(dialog.worker(), g_chronet.stopEvent.get(), g_chronet.workerStopWaitMs);
    }
    g_chronet.run.reset();
    g_chronet.stopEvent.reset();
    return 0;
}

}  // namespace tembra::nettime
