#include "clock/ClockWindow.h"

#include <commctrl.h>

#include <cstdlib>

#include "clock/ClockText.h"
#include "clock/Scheduler.h"
#include "store/LocaleText.h"
#include "framework/Dpi.h"
#include "framework/ModulePath.h"
#include "store/EventStore.h"
#include "store/RegistryKey.h"

namespace tembra {

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

bool ClockWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_CLOCK));
    wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_CLOCK));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClockClassName;
    return CWindow::RegisterWindowClass(wc);
}

bool ClockWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    tickTime_ = CurrentDateValue();
    return CWindow::Create(kClockClassName, nullptr, 0, 0, 0, 0, 100, 30, nullptr, instance) !=
           nullptr;
}

ClockWindow::~ClockWindow() {
    if (soundLooping_) StopLoopingSound();
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT ClockWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_DESTROY:
            ReleaseFaceResources();
            PostQuitMessage(0);
            return 0;
        case WM_PAINT: {
            PaintDc dc(hwnd_);
            PaintClock(dc.get());
            return 0;
        }
        case WM_CLOSE: OnClose(); return 0;
        case WM_QUERYENDSESSION: return 1;
        case WM_ENDSESSION: OnEndSession(wParam != FALSE); return 0;
        case WM_TIMECHANGE: timeChanged_ = true; return 0;
        case WM_POWERBROADCAST: return OnPowerBroadcast(wParam);
        case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
        case WM_TIMER: ClockTick(); return 0;
        case WM_MOUSEMOVE:
            OnDragMove();
            RelayToTooltip(msg, wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            RelayToTooltip(msg, wParam, lParam);
            OnDragStart(lParam);
            return 0;
        case WM_LBUTTONUP:
            OnDragEnd();
            RelayToTooltip(msg, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) OnCaptureLost();
            return 0;
        case WM_RBUTTONDOWN: RelayToTooltip(msg, wParam, lParam); return 0;
        case WM_RBUTTONUP:
            relay_ = MSG{hwnd_, msg, wParam, lParam, 0, {0, 0}};
            ShowPopupMenu();
            return 0;
        case WM_CLOCK_TRAYNOTIFY: OnTrayNotify(wParam, lParam); return 0;
        case WM_CLOCK_EVENTDUE: OnEventDueMessage(wParam, lParam); return 0;
        case WM_CLOCK_RELOADOPTIONS: ApplyOptions(); return 0;
        case WM_CLOCK_RELOADEVENTS: ReloadDayList(); return 0;
        case WM_DISPLAYCHANGE: KeepOnMonitors(); return 0;
        case kWmDpiChanged:
            // Only a message of this thread carries an address that means something here;
            // without it the clock keeps its corner.
            OnDpiChanged(LOWORD(wParam),
                         InSendMessage() ? nullptr : reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            if (msg == TaskbarCreatedMessage() && msg != 0) {
                OnTaskbarCreated();
                return 0;
            }
            return DefaultProc(msg, wParam, lParam);
    }
}

void ClockWindow::OnCreate() {
    programPath_ = ProgramPath();
    SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) & ~WS_CAPTION);
    dpi_ = WindowDpi(hwnd_);
    CreateTooltip();
    // Counted before the options load prunes the past one-time events from the store.
    const std::vector<MissedLine> missed = MissedSinceLastRun();
    ApplyOptions();
    FixAutoStartPath();
    RecordLastRun(true);
    ShowMissed(missed);
    ArmTimer();
}

void ClockWindow::CreateTooltip() {
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                               nullptr, instance_, nullptr);
    if (!tooltip_) return;
    TOOLINFOA tool{};
    // The version-5 layout, which Common Controls 6 takes as well (and version 5, should a
    // system not give the manifest's version 6, takes only).
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = hwnd_;
    tool.uId = kTooltipToolId;
    GetClientRect(hwnd_, &tool.rect);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ClockWindow::RelayToTooltip(UINT msg, WPARAM wParam, LPARAM lParam) {
    relay_ = MSG{hwnd_, msg, wParam, lParam, 0, {0, 0}};
    if (tooltip_) SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay_));
}

LRESULT ClockWindow::OnNotify(const NMHDR* header) {
    // Only our own tooltip notifies us, from this thread. Anything sent from another thread
    // or program carries an address that means nothing here.
    if (InSendMessage()) return 0;
    if (header && header->code == TTN_NEEDTEXTA) {
        auto* info = const_cast<NMTTDISPINFOA*>(reinterpret_cast<const NMTTDISPINFOA*>(header));
        info->lpszText = const_cast<char*>(hoverText_.c_str());
    }
    return 0;
}

void ClockWindow::ApplyOptions() {
    LoadOptions(options_, this);
    if (options_.TrayMode) {
        MoveToStoredCorner();
        SetTrayMode(true, false);
        if (tooltip_) SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    } else {
        if (trayIcon_) SetTrayMode(false, false);
        SizeToText();
        MoveToStoredCorner();
        BuildClockText();
        ShowWindow(hwnd_, SW_SHOW);
        // Colours, frame, mode or date order may have changed while the size and the length
        // of the text stayed: nothing above drew the new face.
        Repaint();
        if (tooltip_) SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
    }
}

void ClockWindow::RemoveOldEvents(bool shutdownOnly) { tembra::RemoveOldEvents(shutdownOnly); }

void ClockWindow::FinishLoad() {
    ApplyWindowStyles();
    options_.AutoStart = false;
    CreateClockFont();
    ReloadDayList();
}

void ClockWindow::ApplyWindowStyles() {
    LONG ex = GetWindowLongA(hwnd_, GWL_EXSTYLE);
    if (options_.RemoveFromAltTab)
        ex = (ex | WS_EX_TOOLWINDOW) & ~WS_EX_APPWINDOW;
    else
        ex = (ex | WS_EX_APPWINDOW) & ~WS_EX_TOOLWINDOW;
    SetWindowLongA(hwnd_, GWL_EXSTYLE, ex);
    if (options_.TopMost && !options_.TrayMode) SetTopmost(true);
}

void ClockWindow::SetTopmost(bool on) {
    // Wine moves a window's owned popups (our tooltip) ahead of it and then inserts the
    // window just below them, outside the topmost band. Unowned for that moment, the tooltip
    // is left alone and the window really becomes topmost; Windows behaves the same either way.
    const bool detach = on && tooltip_;
    if (detach) SetWindowLongPtrA(tooltip_, GWLP_HWNDPARENT, 0);
    SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (detach) SetWindowLongPtrA(tooltip_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hwnd_));
}

void ClockWindow::FixAutoStartPath() {
    // Without our own path there is nothing to point the value to: writing the empty text
    // would end the auto-start.
    if (programPath_.empty()) return;
    RegistryKey run;
    if (!run.Open(reg::kRunKey, false)) return;
    const std::string stored = run.ReadText(reg::kRunValue, "");
    if (!stored.empty() && lstrcmpiA(stored.c_str(), programPath_.c_str()) != 0)
        run.WriteText(reg::kRunValue, programPath_);
}

void ClockWindow::ArmTimer() {
    if (plainTimer_) {
        SetTimer(hwnd_, kClockTimerId, 1000, nullptr);
        return;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    SetTimer(hwnd_, kClockTimerId, MillisecondsToNextTick(now.wMilliseconds), nullptr);
}

void ClockWindow::ClockTick() {
    if (!plainTimer_) ArmTimer();
    const double now = CurrentDateValue();
    const long long previous = WholeSeconds(tickTime_);
    const TickPlan plan = PlanTick(previous, WholeSeconds(now), timeChanged_, suspended_);
    if (!plan.accept) return;
    timeChanged_ = false;
    suspended_ = false;
    // A list of another day, or one loaded before the time was changed or the computer
    // slept, no longer tells what can still come today.
    if (plan.reload) ReloadDayListFrom(plan.from);
    std::vector<MissedLine> missed;
    if (plan.away) missed = MissedWhileAway(previous, plan.from);
    tickTime_ = now;
    CheckEvents();
    ShowMissed(missed);
    RecordLastRun(false);
    const std::string before = clockText_;
    BuildClockText();
    BuildHoverText();
    if (clockText_ != before) {
        if (!options_.TrayMode) ShowNewText();
        if (tickObserver_) tickObserver_->OnClockTextChanged(clockText_);
    }
}

std::string ClockWindow::BuildClockTextInto() const {
    static const SystemLocaleTexts locale;
    return BuildClockTextFor(options_, CivilTimeOf(tickTime_), locale);
}

void ClockWindow::BuildClockText() {
    std::string text = BuildClockTextInto();
    const bool lengthChanged = text.size() != clockText_.size();
    clockText_ = std::move(text);
    if (lengthChanged) {
        SizeToText();
        needNewBitmap_ = true;
        Repaint();
    }
}

void ClockWindow::BuildHoverText() { hoverText_ = BuildHoverTextFor(CivilTimeOf(tickTime_)); }

void ClockWindow::Repaint() {
    const bool transparent = options_.Transparent && !options_.TrayMode;
    // Cut first, so the paint covers all the new shape.
    if (transparent) ShapeToText();
    ownPaint_ = true;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
    ownPaint_ = false;
    if (transparent && shaped_ && IsWindowVisible(hwnd_)) NoteTextColour(face_.shape());
}

// The opaque face is drawn again at once. The transparent one is cut again, and of its
// pixels only those never shown in the text colour are painted.
void ClockWindow::ShowNewText() {
    if (options_.Transparent) {
        if (ShapeToText()) ShowNewPixels(true);
        return;
    }
    WindowDc dc(hwnd_);
    PaintOpaque(dc.get());
}

void ClockWindow::PostEventDue(bool reminder, std::uint32_t listKey) {
    // The message carries a key to the record's ListKey kept here, so it names the record by
    // value: a reload of the day list before it is handled cannot leave it pointing at freed
    // memory. What it names is looked at again when it is handled.
    const LPARAM key = static_cast<LPARAM>(++lastDueKey_);
    pendingDue_[key] = listKey;
    PostMessageA(hwnd_, WM_CLOCK_EVENTDUE, reminder ? 1 : 0, key);
}

void ClockWindow::OnEventDueMessage(WPARAM wParam, LPARAM key) {
    auto it = pendingDue_.find(key);
    if (it == pendingDue_.end()) return;
    const std::uint32_t listKey = it->second;
    pendingDue_.erase(it);
    EventDue(wParam == 1, listKey);
}

LRESULT ClockWindow::OnPowerBroadcast(WPARAM event) {
    switch (event) {
        case PBT_APMSUSPEND:
            // Should the computer never wake, the next start counts from here.
            RecordLastRun(true);
            suspended_ = true;
            break;
        case PBT_APMRESUMEAUTOMATIC:
        case PBT_APMRESUMESUSPEND:
        case PBT_APMRESUMECRITICAL:
            // Counted now, before a timer message fires what passed; a resume whose suspend was
            // not announced (or which the first tick after it counted already) is taken alike.
            suspended_ = true;
            ClockTick();
            break;
        default:
            break;
    }
    return TRUE;
}

// The last accepted tick is the moment up to which every occurrence was seen: the next start
// lists what lies after it. Written at most once a minute while running.
void ClockWindow::RecordLastRun(bool always) {
    const long long moment = WholeSeconds(tickTime_);
    if (!always && std::llabs(moment - lastRunWritten_) < 60) return;
    WriteLastRun(tickTime_);
    lastRunWritten_ = moment;
}

void ClockWindow::OnClose() {
    if (options_.TrayMode) SetTrayMode(false, false);
    RecordLastRun(true);
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    WritePosition(rc.left, rc.top);
    if (tooltip_) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    SaveOptions(options_, rc.left, rc.top);
    DestroyWindow(hwnd_);
}

void ClockWindow::OnEndSession(bool ending) {
    // Another program refused the log-off: the session, and the clock, go on.
    if (!ending) return;
    // The session ends: leave at once, writing no option, only when the clock last ran.
    RecordLastRun(true);
    DestroyWindow(hwnd_);
}

}  // namespace tembra
