#include "settings/StartUp.h"

#include "framework/ComApartment.h"
#include "framework/CommonControls.h"
#include "settings/AboutDlg.h"
#include "settings/EventEditDlg.h"
#include "settings/SystemColours.h"
#include "settings/TCSetsSheet.h"
#include "store/ClockNotify.h"
#include "store/EventStore.h"
#include "store/SuiteContract.h"

namespace tembra {
namespace {

HWND FindByTitle(const char* title) { return FindWindowA(nullptr, title); }

// The window a start other than the about box brings forward instead of opening its own.
HWND OpenSettingsWindow() {
    HWND window = FindByTitle(kSettingsSheetTitle);
    return window ? window : FindByTitle(kNewEventTitle);
}

void RunSheet(HINSTANCE instance, int startPage) {
    CTCSetsSheet sheet(startPage);
    sheet.Run(instance);  // the pages have saved what they save, whichever button closed it
}

// The editor alone on a new event; OK appends it to the store. The clock is told either way.
void RunNewEvent(HINSTANCE instance) {
    EventRecord event = EventRecord::NewAt(CurrentDateValue());
    CTCEventEditDlg editor(&event);
    if (editor.Run(instance, nullptr) == IDOK) {
        EventList stored;
        LoadEvents(false, stored);
        event.Id = UnusedEventId(event.Id, stored);
        AppendEvent(event);
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
        if (HWND about = FindByTitle(kAboutTitle)) {
            BringForward(about);
        } else {
            CAboutDlg box;
            box.Run(instance, nullptr);
        }
        return 0;
    }
    if (HWND open = OpenSettingsWindow()) {
        BringForward(open);
        return 0;
    }
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
