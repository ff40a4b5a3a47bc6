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

}  // namespace tembra
