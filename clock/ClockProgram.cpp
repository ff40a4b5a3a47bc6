#include "clock/ClockProgram.h"

#include "clock/AlertTable.h"
#include "clock/ClockWindow.h"
#include "clock/MissedEventsDialog.h"
#include "framework/ComApartment.h"
#include "framework/CommonControls.h"
#include "framework/SingleInstance.h"
#include "store/SuiteContract.h"

namespace tembra {

int RunClockProgram(HINSTANCE instance) {
    // One clock per logon session: the mutex decides between two starts at the same moment,
    // and a clock that owns no mutex is still found by its window. A second start leaves
    // silently.
    SingleInstance oneClock(kClockInstanceMutex);
    if (!oneClock.Claim(0) || FindWindowA(kClockClassName, nullptr)) return 0;
    InitCommonControlsFor(ICC_TAB_CLASSES);  // the tooltip
    // The menu's program starts go through ShellExecuteEx on this thread.
    ComApartment com;
    TaskbarCreatedMessage();
    if (!ClockWindow::RegisterWindowClass(instance)) return 0;
    ClockWindow clock;
    if (!clock.Create(instance)) return 0;

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (Alerts().PreTranslate(&msg) || MissedEventsDialogMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace tembra
