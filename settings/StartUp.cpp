#include "settings/StartUp.h"

#include <commctrl.h>

#include "settings/AboutDlg.h"
#include "settings/SystemColours.h"
#include "settings/TCSetsSheet.h"
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

}  // namespace

void BringForward(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

int RunSettingsProgram(HINSTANCE instance, const char* commandLine) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
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
        // Until the events page joins the sheet, the list opens the sheet on its first page.
        RunSheet(instance, kGeneralPageIndex);
        break;
    case kStartNewEvent:
        // The new-event editor comes here.
        break;
    default:
        break;  // any other letter shows nothing
    }
    return 0;
}

}  // namespace tembra
