#include "settings/DialogButtons.h"

#include "framework/Dpi.h"

namespace tembra {
namespace {

HANDLE LoadPicture(int id, UINT type, int width, int height, UINT flags) {
    return LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), type, width, height, flags);
}

int DrawingFor(int id, UINT dpi) {
    if (dpi >= 2 * kDefaultDpi) return id + IDB_DRAWN_AT_200;
    if (dpi >= 3 * kDefaultDpi / 2) return id + IDB_DRAWN_AT_150;
    return id;
}

}  // namespace

HBITMAP LoadButtonBitmap(HWND dialog, int id, int width, int height) {
    const UINT dpi = WindowDpi(dialog);
    return static_cast<HBITMAP>(LoadPicture(DrawingFor(id, dpi), IMAGE_BITMAP,
                                            ScaleToDpi(width, dpi), ScaleToDpi(height, dpi),
                                            LR_LOADMAP3DCOLORS));
}

HICON LoadButtonIcon(HWND dialog, int id, int width, int height) {
    const UINT dpi = WindowDpi(dialog);
    return static_cast<HICON>(LoadPicture(id, IMAGE_ICON, ScaleToDpi(width, dpi),
                                          ScaleToDpi(height, dpi), LR_DEFAULTCOLOR));
}

void SetUpOkAndCancel(HWND dialog, CFlatButton& ok, CFlatButton& cancel) {
    SetUpFlatButton(dialog, IDOK, ok);
    ok.SetBitmapImage(LoadButtonBitmap(dialog, IDB_OK, 16, 15), true);
    SetUpFlatButton(dialog, IDCANCEL, cancel);
    cancel.SetBitmapImage(LoadButtonBitmap(dialog, IDB_CANCEL, 13, 15), true);
}

void SetUpFlatButton(HWND dialog, int id, CFlatButton& button, int iconId) {
    button.SetLook(LookSemiFlat);
    button.UseHandCursor();
    button.AttachTo(dialog, id);
    if (iconId) button.SetIconImage(LoadButtonIcon(dialog, iconId, 16, 15), true);
}

}  // namespace tembra
