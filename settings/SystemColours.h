// The system colours the settings program's buttons draw with, read once at program start:
// a change of the system colours while the program runs is not picked up.
#pragma once
#include <windows.h>

namespace tembra {

struct SystemColours {
    COLORREF face;         // COLOR_BTNFACE
    COLORREF shadow;       // COLOR_BTNSHADOW
    COLORREF highlight;    // COLOR_BTNHIGHLIGHT
    COLORREF text;         // COLOR_BTNTEXT
    COLORREF darkShadow;   // COLOR_3DDKSHADOW
    COLORREF light;        // COLOR_3DLIGHT
    COLORREF grayText;     // COLOR_GRAYTEXT
    HBRUSH faceBrush;      // the system's own brush: never deleted
};

// The colours as they were at the first call (made at program start).
const SystemColours& Colours();

}  // namespace tembra
