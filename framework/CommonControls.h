// Registers the common control classes a program uses, with Common Controls 6 (which the
// programs' manifest asks for) also providing the standard controls of their dialogs.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace tembra {

inline void InitCommonControlsFor(DWORD classes) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
    if (classes) InitCommonControlsEx(&icc);
    // Asked for on its own: a version before 6 refuses the flag, and with it the rest.
    INITCOMMONCONTROLSEX standard{sizeof(standard), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&standard);
}

}  // namespace tembra
