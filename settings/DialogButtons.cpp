#include "settings/DialogButtons.h"

namespace tembra {
namespace {

HANDLE LoadPicture(int id, UINT type, int width, int height, UINT flags) {
    return LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), type, width, height, flags);
}

}  // namespace

void SetUpOkAndCancel(HWND dialog, CFlatButton& ok, CFlatButton& cancel) {
    SetUpFlatButton(dialog, IDOK, ok);
    ok.SetBitmapImage(static_cast<HBITMAP>(LoadPicture(IDB_OK, IMAGE_BITMAP, 16, 15,
                                                       LR_LOADMAP3DCOLORS)),
                      true);
    SetUpFlatButton(dialog, IDCANCEL, cancel);
    cancel.SetBitmapImage(static_cast<HBITMAP>(LoadPicture(IDB_CANCEL, IMAGE_BITMAP, 13, 15,
                                                           LR_LOADMAP3DCOLORS)),
                          true);
}

void SetUpFlatButton(HWND dialog, int id, CFlatButton& button, int iconId) {
    button.SetLook(LookSemiFlat);
    button.UseHandCursor();
    button.AttachTo(dialog, id);
    if (iconId)
        button.SetIconImage(
            static_cast<HICON>(LoadPicture(iconId, IMAGE_ICON, 16, 15, LR_DEFAULTCOLOR)), true);
}

}  // namespace tembra
