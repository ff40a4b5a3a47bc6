#include "settings/StartUp.h"

#include "framework/ComApartment.h"
#include "framework/CommonControls.h"
#include "framework/SingleInstance.h"
#include "settings/AboutDlg.h"
#include "settings/EventEditDlg.h"
#include "settings/SystemColours.h"
#include "settings/TCSetsSheet.h"
#include "store/ClockNotify.h"
#include "store/EventStore.h"
#include "store/SuiteContract.h"

namespace tembra {
namespace {

// How long a second start waits for the first one to show its window.
constexpr DWORD kWaitForWindowMs = 10000;
constexpr DWORD kPollMs = 100;

HWND FindByTitle(const char* title) { return FindWindowA(nullptr, title); }

// The window a start other than the about box brings forward instead of opening its own.
HWND OpenSettingsWindow() {
    HWND window = FindByTitle(kSettingsSheetTitle);
    return window ? window : FindByTitle(kNewEventTitle);
}
HWND OpenAboutBox() { return FindByTitle(kAboutTitle); }

// Whether this start opens its window. While another start owns the program's mutex, its
// window is brought forward instead, waited for while that start is still opening it; when
// that start ends meanwhile, this one opens its own. An open window of a copy that owns no
// mutex is brought forward too.
bool TakeTurn(SingleInstance& instance, HWND (*openWindow)()) {
    const DWORD start = GetTickCount();
    DWORD wait = 0;
    for (;;) {
        const bool owned = instance.Claim(wait);  // the wait paces the window searches
        if (HWND open = openWindow()) {
            BringForward(open);
            return false;
        }
        if (owned) return true;
        if (GetTickCount() - start >= kWaitForWindowMs) return false;
        wait = kPollMs;
    }
}

void RunSheet(HINSTANCE instance, int startPage) {
    CTCSetsSheet sheet(startPage);
    sheet.Run(instance);  // the pages have saved what they save, whichever button closed it
}

// Shown when another program keeps the event store longer than a save waits for it.
constexpr char kStoreBusyText[] =
    "另一个程序正在使用事件列表，新事件还没有保存。\n\n"
    "按“重试”再保存一次；按“取消”放弃这个新事件。";

// The editor alone on a new event; OK appends it to the store. The clock is told either way.
void RunNewEvent(HINSTANCE instance) {
    EventRecord event = EventRecord::NewAt(CurrentDateValue());
    CTCEventEditDlg editor(&event);
    if (editor.Run(instance, nullptr) == IDOK) {
        // Under one hold of the store's lock: no event added meanwhile has taken its Id.
        auto append = [&event](EventList& stored) {
            event.Id = UnusedEventId(event.Id, stored);
            stored.push_back(std::make_unique<EventRecord>(event));
        };
        while (!UpdateEvents(append) &&
               MessageBoxA(nullptr, kStoreBusyText, "Tembra Clock",
                           MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY) {
        }
    }
    NotifyClock(WM_CLOCK_RELOADEVENTS);
}

}  // namespace

void BringForward(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

int RunSettingsProgram(HINSTANCE instance, const char* commandLine) {
    // The sheet's tabs, the event list, the date and time pickers and the up-down arrows.
    InitCommonControlsFor(ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES |
                          ICC_UPDOWN_CLASS);
    // The folder browser and the about box's links need COM on this thread.
    ComApartment com;
    Colours();  // the buttons keep the system colours of program start

    const char letter = commandLine ? commandLine[0] : '\0';
    if (letter == kStartAbout) {
        SingleInstance about(kAboutInstanceMutex);
        if (TakeTurn(about, OpenAboutBox)) {
            CAboutDlg box;
            box.Run(instance, nullptr);
        }
        return 0;
    }
    SingleInstance settings(kSettingsInstanceMutex);
    if (!TakeTurn(settings, OpenSettingsWindow)) return 0;
    switch (letter) {
    case '\0':
        RunSheet(instance, kGeneralPageIndex);
        break;
    case kStartEventList:
        RunSheet(instance, kEventsPageIndex);
        break;
    case kStartNewEvent:
        RunNewEvent(instance);
        break;
    default:
        break;  // any other letter shows nothing
    }
    return 0;
}

}  // namespace tembra
