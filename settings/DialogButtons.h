// The flat buttons of the settings program's own dialogs (the sheet sets up its own).
#pragma once
#include <windows.h>

#include "settings/FlatButton.h"

namespace tembra {

// OK and Cancel: flat look, hand cursor, the green tick and the red cross (owned).
void SetUpOkAndCancel(HWND dialog, CFlatButton& ok, CFlatButton& cancel);
// Another button of `dialog`: flat look, hand cursor, and the icon `iconId` at 16 x 15 when
// given (owned).
void SetUpFlatButton(HWND dialog, int id, CFlatButton& button, int iconId = 0);

// A button's bitmap `id`, `width` by `height` at 96 DPI, at the DPI of `dialog`'s monitor:
// from its drawing for 150 % or 200 % from those DPIs on, enlarged where the DPI lies above
// the drawing's. Mapped to the system's 3-D colours.
HBITMAP LoadButtonBitmap(HWND dialog, int id, int width, int height);
// A button's icon the same way (its file holds 16, 24 and 32 pixels: the system takes the
// nearest).
HICON LoadButtonIcon(HWND dialog, int id, int width, int height);

}  // namespace tembra
