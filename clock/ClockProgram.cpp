#include "clock/ClockProgram.h"

#include <commctrl.h>

#include "clock/AlertTable.h"
#include "clock/ClockWindow.h"
#include "clock/MissedEventsDialog.h"

namespace tembra {

int RunClockProgram(HINSTANCE instance) {
    // One clock per user session: a second start leaves silently.
    if (FindWindowA(kClockClassName, nullptr)) return 0;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
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
