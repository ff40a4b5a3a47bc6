#include "settings/AboutDlg.h"

#include <cstdlib>

#include "framework/SystemActions.h"
#include "settings/DialogButtons.h"
#include "settings/SettingsResources.h"

namespace tembra {

INT_PTR CAboutDlg::Run(HINSTANCE instance, HWND parent) {
    return DoModal(instance, IDD_ABOUT, parent);
}

INT_PTR CAboutDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                lParam);
    case WM_SETCURSOR:
        if (!OnSetCursor(reinterpret_cast<HWND>(wParam))) return FALSE;
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CAboutDlg::OnInitDialog() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ok_.SetLook(LookSemiFlat);
    ok_.UseHandCursor();
    ok_.AttachTo(hwnd_, IDOK);
    ok_.SetBitmapImage(LoadButtonBitmap(hwnd_, IDB_OK, 16, 16), true);
    smallIcon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SHEET), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    CreateFonts();
    MapPictureColours();
    return TRUE;
}

void CAboutDlg::MapPictureColours() {
    // The template's picture shows the bitmap as stored; loaded again with the light grey
    // mapped to the face colour, it stands on the dialog's own background.
    picture_.reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                   MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADMAP3DCOLORS)));
    if (!picture_) return;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
        auto old = reinterpret_cast<HBITMAP>(SendMessageA(
            child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get())));
        if (old && old != picture_.get()) DeleteObject(old);
        break;
    }
}

void CAboutDlg::CreateFonts() {
    // Both from the dialog's own font, as the version line's control carries it.
    HFONT dialogFont = reinterpret_cast<HFONT>(
        SendDlgItemMessageA(hwnd_, IDC_ABOUT_VERSION, WM_GETFONT, 0, 0));
    LOGFONTA font{};
    if (!dialogFont || !GetObjectA(dialogFont, sizeof font, &font)) return;
    font.lfUnderline = TRUE;
    link_.reset(CreateFontIndirectA(&font));
    font.lfUnderline = FALSE;
    font.lfWeight = FW_BOLD;
    font.lfHeight = -(std::abs(font.lfHeight) + 1);  // one unit taller than the dialog's text
    bold_.reset(CreateFontIndirectA(&font));
    // The controls also get the fonts as their own: Wine's statics select their font after
    // asking for their colours, which undoes a font selected there.
    SendDlgItemMessageA(hwnd_, IDC_ABOUT_VERSION, WM_SETFONT,
                        reinterpret_cast<WPARAM>(bold_.get()), FALSE);
    for (int id : {IDC_ABOUT_MAIL1, IDC_ABOUT_MAIL2, IDC_ABOUT_HOME})
        SendDlgItemMessageA(hwnd_, id, WM_SETFONT, reinterpret_cast<WPARAM>(link_.get()), FALSE);
}

bool CAboutDlg::IsLink(HWND control) const {
    const int id = GetDlgCtrlID(control);
    return control && GetParent(control) == hwnd_ &&
           (id == IDC_ABOUT_MAIL1 || id == IDC_ABOUT_MAIL2 || id == IDC_ABOUT_HOME);
}

INT_PTR CAboutDlg::OnCtlColorStatic(HDC dc, HWND control, LPARAM lParam) {
    // The dialog's own colours first; then the version line's font, or the links' look.
    auto brush = static_cast<INT_PTR>(
        DefWindowProcA(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), lParam));
    if (GetDlgCtrlID(control) == IDC_ABOUT_VERSION) {
        if (bold_) SelectObject(dc, bold_.get());
        return brush;
    }
    if (!IsLink(control)) return brush;
    if (link_) SelectObject(dc, link_.get());
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
}

bool CAboutDlg::OnSetCursor(HWND under) {
    if (!IsLink(under)) return false;
    SetCursor(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
    return true;
}

void CAboutDlg::OnCommand(int id, int code) {
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(hwnd_, id);
        return;
    }
    if (code != STN_CLICKED) return;
    const char* target = id == IDC_ABOUT_HOME    ? kHomePageTarget
                         : id == IDC_ABOUT_MAIL2 ? kSecondMailTarget
                         : id == IDC_ABOUT_MAIL1 ? kFirstMailTarget
                                                 : nullptr;
    if (target) System().StartProgram(ProgramStart{target, "", ""});
}

}  // namespace tembra
