// The notification-area icon, the popup menu and its commands.
#include "clock/ClockWindow.h"

#include <commctrl.h>
#include <ntsecapi.h>
#include <shellapi.h>

#include "clock/PopupMenu.h"
#include "framework/ModulePath.h"
#include "framework/SystemActions.h"

namespace tembra {

namespace {

constexpr const char* kSettingsSheetTitle = "Tembra Clock 设置";
constexpr const char* kNewEventTitle = "Tembra Clock - 新建事件";

// An open window of the settings program, the sheet before its new-event dialog.
HWND FindSettingsWindow(OpenSettingsWindow* kind) {
    if (HWND sheet = FindWindowA(nullptr, kSettingsSheetTitle)) {
        *kind = OpenSettingsWindow::Sheet;
        return sheet;
    }
    if (HWND editor = FindWindowA(nullptr, kNewEventTitle)) {
        *kind = OpenSettingsWindow::NewEvent;
        return editor;
    }
    *kind = OpenSettingsWindow::None;
    return nullptr;
}

void AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
            case MenuEntry::Kind::Separator: AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); break;
            case MenuEntry::Kind::Submenu: {
                HMENU sub = CreatePopupMenu();
                AppendEntries(sub, e.items);
                // The menu owns the submenu from here on and destroys it with itself.
                AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                            e.text.c_str());
                break;
            }
            case MenuEntry::Kind::Command:
                AppendMenuA(menu, MF_STRING | (e.checked ? MF_CHECKED : MF_UNCHECKED), e.id,
                            e.text.c_str());
                break;
        }
    }
}

// The icon's identity for the shell; the older (version 2) layout that every shell accepts.
NOTIFYICONDATAA IconData(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = owner;
    data.uID = id;
    return data;
}

}  // namespace

UINT ClockWindow::NewTrayIconId() {
    UINT id = 0;
    // The system's random source; should it fail, what a forger knows least about this run.
    if (!RtlGenRandom(&id, sizeof id))
        id = GetTickCount() ^ (GetCurrentProcessId() << 16) ^
             static_cast<UINT>(reinterpret_cast<UINT_PTR>(&id));
    return id;
}

void ClockWindow::SetTrayMode(bool on, bool show) {
    if (on) {
        if (!trayIcon_) {
            trayIcon_.reset(static_cast<HICON>(LoadImageA(
                instance_, MAKEINTRESOURCEA(IDI_CLOCK), IMAGE_ICON,
                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
            if (!trayIcon_) trayIcon_.reset(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
        }
        // Without a notification area (no shell yet) this fails; "TaskbarCreated" retries.
        AddTrayIcon();
        ShowWindow(hwnd_, SW_HIDE);
        if (tooltip_) SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    } else {
        NOTIFYICONDATAA data = IconData(hwnd_, trayIconId_);
        Shell_NotifyIconA(NIM_DELETE, &data);
        trayIcon_.reset();
        // A clock that started or was reloaded in tray mode was never put on top.
        ApplyWindowStyles();
        SizeToText();
        if (show) ShowWindow(hwnd_, SW_SHOW);
        Repaint();
        if (tooltip_) SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
    }
}

bool ClockWindow::AddTrayIcon() {
    NOTIFYICONDATAA data = IconData(hwnd_, trayIconId_);
    data.uFlags = NIF_MESSAGE | NIF_ICON;
    data.uCallbackMessage = WM_CLOCK_TRAYNOTIFY;
    data.hIcon = trayIcon_.get();
    return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void ClockWindow::UpdateTrayTip() {
    NOTIFYICONDATAA data = IconData(hwnd_, trayIconId_);
    data.uFlags = NIF_TIP;
    lstrcpynA(data.szTip, hoverText_.c_str(), sizeof data.szTip);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void ClockWindow::OnTrayNotify(WPARAM iconId, LPARAM lParam) {
    // The shell passes back the id the icon was added with. Any other program can send this
    // message, but does not know this run's id.
    if (iconId != trayIconId_) return;
    switch (static_cast<UINT>(lParam)) {
        case WM_MOUSEMOVE: UpdateTrayTip(); break;
        case WM_LBUTTONDBLCLK: RunCommand(kCmdTray); break;
        case WM_RBUTTONDOWN: ShowPopupMenu(); break;
        default: break;
    }
}

// The shell restarted and forgot every icon.
void ClockWindow::OnTaskbarCreated() {
    if (options_.TrayMode && trayIcon_) AddTrayIcon();
}

HMENU ClockWindow::BuildPopupMenu(HWND* settingsWindow) const {
    MenuState state;
    HWND found = FindSettingsWindow(&state.settings);
    if (settingsWindow) *settingsWindow = found;
    state.trayMode = options_.TrayMode;
    state.date = options_.Date;
    state.seconds = options_.Seconds;
    state.transparent = options_.Transparent;
    state.topMost = options_.TopMost;
    state.color2 = options_.Color2;
    state.twelveHours = options_.TwelveHours;
    state.leadingZero = options_.LeadingZero;
    state.noMove = options_.NoMove;
    state.border = options_.Border;
    HMENU menu = CreatePopupMenu();
    if (menu) AppendEntries(menu, BuildMenuModel(state));
    return menu;
}

void ClockWindow::ShowPopupMenu() {
    HWND settings = nullptr;
    UniqueMenu menu(BuildPopupMenu(&settings));
    if (!menu) return;
    POINT at;
    GetCursorPos(&at);
    // A menu closes on a click elsewhere only while its owner is the foreground window;
    // opened from the notification area the clock is not, so it must become it first.
    SetForegroundWindow(hwnd_);
    const UINT command = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0,
                                        hwnd_, nullptr);
    // Lets the menu loop finish cleanly before the next menu from the notification area.
    PostMessageA(hwnd_, WM_NULL, 0, 0);
    menu.reset();
    if (command == kCmdSwitchToSettings) {
        if (settings) SetForegroundWindow(settings);
    } else if (command != 0) {
        RunCommand(command);
    }
}

void ClockWindow::RunCommand(UINT command) {
    switch (command) {
        case kCmdSettings: StartSettings(""); break;
        case kCmdExit: PostMessageA(hwnd_, WM_CLOSE, 0, 0); break;
        case kCmdDate: ToggleFaceOption(options_.Date, reg::kDate, true); break;
        case kCmdSeconds: ToggleFaceOption(options_.Seconds, reg::kSeconds, true); break;
        case kCmdLeadingZero: ToggleFaceOption(options_.LeadingZero, reg::kLeadingZero, true); break;
        case kCmdTwelveHours: ToggleFaceOption(options_.TwelveHours, reg::kTwelveHours, true); break;
        case kCmdTransparent: ToggleFaceOption(options_.Transparent, reg::kTransparent, false); break;
        case kCmdBorder: ToggleFaceOption(options_.Border, reg::kBorder, false); break;
        case kCmdTopMost:
            ToggleOption(options_.TopMost, reg::kTopMost);
            SetTopmost(options_.TopMost);
            break;
        case kCmdColor2:
            ToggleOption(options_.Color2, reg::kColor2);
            needNewBitmap_ = true;
            Repaint();
            break;
        case kCmdNoMove: ToggleOption(options_.NoMove, reg::kNoMove); break;
        case kCmdTray:
            ToggleOption(options_.TrayMode, reg::kTrayMode);
            SetTrayMode(options_.TrayMode, true);
            break;
        case kCmdSwitchToSettings: {
            OpenSettingsWindow kind;
            if (HWND settings = FindSettingsWindow(&kind)) SetForegroundWindow(settings);
            break;
        }
        case kCmdNewEvent: StartSettings("n"); break;
        case kCmdEventList: StartSettings("1"); break;
        case kCmdControlPanelTime:
            System().StartProgram(ProgramStart{"control.exe", "timedate.cpl", ""});
            break;
        case kCmdAbout: StartSettings("a"); break;
        case kCmdInternetTime: StartSibling(kInternetTimeProgram, ""); break;
        default: break;
    }
}

void ClockWindow::ToggleOption(bool& option, const char* name) {
    option = !option;
    WriteOption(name, option ? 1 : 0);
}

// A display option: the face is measured, (re)written and drawn again at once.
void ClockWindow::ToggleFaceOption(bool& option, const char* name, bool rebuildText) {
    ToggleOption(option, name);
    SizeToText();
    if (rebuildText) BuildClockText();
    Repaint();
}

void ClockWindow::StartSettings(const char* parameter) { StartSibling(kSettingsProgram, parameter); }

// The other programs live beside the clock. Without the clock's own folder there is no
// "beside": "\TCSets.exe" would name the root of the current drive.
void ClockWindow::StartSibling(const char* exeName, const char* parameter) {
    const std::string folder = DirectoryOf(programPath_);
    if (folder.empty()) return;
    System().StartProgram(ProgramStart{folder + "\\" + exeName, parameter, ""});
}

}  // namespace tembra
