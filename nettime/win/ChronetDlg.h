// The log window: shows what the run reports, hides into the notification area, and ends
// the program when it closes.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "nettime/win/TrayIcon.h"

namespace tembra::nettime {

class CTCChronetDlg : public CDialog {
public:
    CTCChronetDlg(HICON largeIcon, HICON smallIcon);
    // Creates the dialog hidden; `mainWindow` is closed when the dialog goes.
    HWND Create(HINSTANCE instance, HWND mainWindow);

    // The worker's thread, while one is held; the exit path stops it if the dialog did not.
    UniqueKernelHandle& worker() { return worker_; }

    void ShowInTray(bool on);
    void ShowLog(const std::string& text);
    void ShowWholeLog();

protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL OnInitDialog();
    void OnCancel();
    void OnClose();
    void OnLogAppend();
    bool TakeLogLines();
    void OnSyncDone();
    void OnTrayNotify(LPARAM mouseMessage);
    void OnTaskbarCreated();
    void OnDestroy();
    void StartWorker();
    bool TakeEndedWorker();
    void EndWithResultShown(const std::string& shown);
    void OfferElevatedRun();
    void OnRunElevated();

    HICON largeIcon_;
    HICON smallIcon_;
    HWND mainWindow_ = nullptr;
    UniqueKernelHandle worker_;
    CTrayIcon tray_;
    bool inTray_ = false;      // hidden, reachable only through the icon
    bool cancelling_ = false;  // Cancel waits for the worker: one Cancel, and no close, at a time
    bool logBehind_ = false;   // the log has lines the edit has not shown
    bool elevationOffered_ = false;  // the clock was refused for want of administrator rights
    const UINT taskbarCreated_;
};

// Signals `stopEvent` when a worker is held and waits up to `timeoutMs` for the worker, still
// taking the messages other threads and programs send meanwhile. Forgets the worker
// afterwards. Returns whether the worker ended in time; a failed wait counts as not ended.
bool StopWorker(UniqueKernelHandle& worker, HANDLE stopEvent, DWORD timeoutMs);

}  // namespace tembra::nettime
