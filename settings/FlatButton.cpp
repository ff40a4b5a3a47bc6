#include "settings/FlatButton.h"

#include <windowsx.h>

#include "settings/SystemColours.h"

namespace tembra {
namespace {

// A one-pixel frame: top and left edges in one colour, bottom and right in the other.
void Frame(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    auto fill = [dc](int x, int y, int cx, int cy, COLORREF colour) {
        RECT line{x, y, x + cx, y + cy};
        SetBkColor(dc, colour);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    };
    const int cx = r.right - r.left, cy = r.bottom - r.top;
    fill(r.left, r.top, cx - 1, 1, topLeft);
    fill(r.left, r.top, 1, cy - 1, topLeft);
    fill(r.right - 1, r.top, 1, cy, bottomRight);
    fill(r.left, r.bottom - 1, cx, 1, bottomRight);
}

void Shrink(RECT& r, int by) { InflateRect(&r, -by, -by); }

HCURSOR SharedHandCursor() {
    // Loaded once from the program's resources, shared by all buttons, never destroyed.
    static HCURSOR cursor =
        LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    return cursor;
}

}  // namespace

CFlatButton::~CFlatButton() { ReleaseImages(); }

// --- Look and images ----------------------------------------------------------------------

void CFlatButton::SetLook(ButtonLook look) {
    look_ = look;
    if (!hwnd()) return;
    ApplyLookToStyle();
    RepaintNow();
}

void CFlatButton::OnAttached() {
    if (look_ != LookStandard) ApplyLookToStyle();
}

void CFlatButton::ApplyLookToStyle() {
    LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    if (look_ == LookStandard) {
        if ((style & BS_TYPEMASK) == BS_OWNERDRAW) style &= ~BS_TYPEMASK;
    } else {
        // The owner-draw type leaves no room for the default-push one: the button keeps
        // being the default itself.
        const LONG_PTR type = style & BS_TYPEMASK;
        if (type == BS_DEFPUSHBUTTON || type == BS_PUSHBUTTON) default_ = type == BS_DEFPUSHBUTTON;
        style = (style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    }
    SetWindowLongPtrA(hwnd(), GWL_STYLE, style);
}

void CFlatButton::SetBitmapImage(HBITMAP bitmap, bool owned, HBITMAP hot) {
    ReleaseImages();
    if (!bitmap) return;
    bitmap_ = bitmap;
    hotBitmap_ = hot;
    ownsImages_ = owned;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    imageSize_ = SIZE{info.bmWidth, info.bmHeight};
    MakeDisabledBitmap();
}

void CFlatButton::SetIconImage(HICON icon, bool owned, HICON hot) {
    ReleaseImages();
    if (!icon) return;
    icon_ = icon;
    hotIcon_ = hot;
    ownsImages_ = owned;
    ICONINFO info{};
    if (GetIconInfo(icon, &info)) {
        BITMAP colour{};
        if (info.hbmColor) GetObjectA(info.hbmColor, sizeof colour, &colour);
        imageSize_ = SIZE{colour.bmWidth, colour.bmHeight};
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
}

void CFlatButton::UseHandCursor() { cursor_ = SharedHandCursor(); }

void CFlatButton::ReleaseImages() {
    if (ownsImages_) {
        if (icon_) DestroyIcon(icon_);
        if (hotIcon_) DestroyIcon(hotIcon_);
        if (bitmap_) DeleteObject(bitmap_);
        if (hotBitmap_) DeleteObject(hotBitmap_);
    }
    disabledBitmap_.reset();
    icon_ = hotIcon_ = nullptr;
    bitmap_ = hotBitmap_ = nullptr;
    imageSize_ = SIZE{0, 0};
    ownsImages_ = false;
}

void CFlatButton::MakeDisabledBitmap() {
    disabledBitmap_.reset();
    if (!bitmap_) return;
    const int w = imageSize_.cx, h = imageSize_.cy;
    WindowDc screen(nullptr);
    UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), w, h));
    UniqueMemoryDc source(CreateCompatibleDC(screen.get()));
    UniqueMemoryDc target(CreateCompatibleDC(screen.get()));
    if (!copy || !source || !target) return;
    {
        SelectGuard fromImage(source.get(), bitmap_);
        SelectGuard intoCopy(target.get(), copy.get());
        if (!BitBlt(target.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY)) return;
        // The system's disabled effect embosses every non-white pixel: whitening the face
        // leaves only the picture embossed, not a square around it.
        const COLORREF face = Colours().face;
        if (face != RGB(255, 255, 255)) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (GetPixel(target.get(), x, y) == face)
                        SetPixel(target.get(), x, y, RGB(255, 255, 255));
        }
    }
    disabledBitmap_ = std::move(copy);
}

// --- Drawing ------------------------------------------------------------------------------

bool CFlatButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (look_ == LookStandard) return false;
    RECT rect = item.rcItem;
    PaintBackground(item.hDC, rect);
    if (IsDefault()) {  // the default push button's dark outer frame
        Frame(item.hDC, rect, Colours().darkShadow, Colours().darkShadow);
        Shrink(rect, 1);
    }
    PaintBorder(item.hDC, rect, item.itemState);
    PaintContent(item.hDC, rect, item.itemState);
    if (item.itemState & ODS_FOCUS) PaintFocus(item.hDC, rect);
    return true;
}

void CFlatButton::PaintBackground(HDC dc, const RECT& rect) {
    FillRect(dc, &rect, Colours().faceBrush);
}

void CFlatButton::PaintBorder(HDC dc, RECT& rect, UINT state) {
    const SystemColours& c = Colours();
    if (look_ == LookNoBorder) {
        Shrink(rect, 2);
        return;
    }
    const bool pressed = (pushed_ && hot_) || (state & ODS_SELECTED);
    if (pressed) {
        Frame(dc, rect, c.darkShadow, c.highlight);
        Shrink(rect, 1);
        if (look_ != LookFlat) {
            Frame(dc, rect, c.shadow, c.light);
            Shrink(rect, 1);
        }
        rect.left += 2;
        rect.top += 2;
    } else if (look_ == LookSemiFlat && !hot_) {
        Frame(dc, rect, c.shadow, c.shadow);
    } else if (look_ == LookFlat && !hot_) {
        Shrink(rect, 2);
    } else {
        Frame(dc, rect, c.highlight, c.darkShadow);
        Shrink(rect, 1);
        if (look_ == LookRaised || look_ == LookSemiFlat) {
            Frame(dc, rect, c.light, c.shadow);
            Shrink(rect, 1);
        }
    }
}

void CFlatButton::PaintFocus(HDC dc, RECT rect) {
    Shrink(rect, 2);
    Frame(dc, rect, Colours().face, Colours().face);
    DrawFocusRect(dc, &rect);
}

void CFlatButton::PaintContent(HDC dc, const RECT& r, UINT state) {
    char text[256] = "";
    GetWindowTextA(hwnd(), text, sizeof text);
    const std::string caption = text;

    RECT imageRect{0, 0, 0, 0};
    RECT textRect = r;
    if (imageSize_.cx != 0) {
        imageRect = r;
        if (!caption.empty()) {
            imageRect.left = r.left + 5;
            imageRect.right = r.left + 5 + imageSize_.cx;
            textRect.left = imageRect.right;
        }
        const int dx = ((imageRect.right - imageRect.left) - imageSize_.cx) / 2;
        int dy = ((r.bottom - r.top) - imageSize_.cy) / 2;
        if (dy < 0) dy = 0;
        OffsetRect(&imageRect, dx, dy);
    }

    HFONT oldFont = SelectCaptionFont(dc);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, Colours().text);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS;
    const bool disabled = (state & ODS_DISABLED) != 0;
    if (disabled) {
        RECT raised = textRect;
        OffsetRect(&raised, 1, 1);
        SetTextColor(dc, Colours().highlight);
        PaintCaption(dc, caption, raised, format);
        SetTextColor(dc, Colours().grayText);
    }
    PaintCaption(dc, caption, textRect, format);

    if (!IsRectEmpty(&imageRect)) {
        const UINT effect = disabled ? DSS_DISABLED : DSS_NORMAL;
        if (icon_) {
            HICON icon = hot_ && hotIcon_ ? hotIcon_ : icon_;
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, imageRect.left,
                       imageRect.top, imageSize_.cx, imageSize_.cy, DST_ICON | effect);
        } else {
            HBITMAP bitmap = hot_ && hotBitmap_ ? hotBitmap_ : bitmap_;
            if (disabled) bitmap = disabledBitmap_.get();
            if (bitmap)
                DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0,
                           imageRect.left, imageRect.top, imageSize_.cx, imageSize_.cy,
                           DST_BITMAP | effect);
        }
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void CFlatButton::PaintCaption(HDC dc, const std::string& caption, RECT rect, UINT format) {
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format);
}

HFONT CFlatButton::SelectCaptionFont(HDC dc) {
    HGDIOBJ font = font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT);
    return static_cast<HFONT>(SelectObject(dc, font));
}

// --- Messages -----------------------------------------------------------------------------

LRESULT CFlatButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;  // the face is painted whole in the owner-draw request
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(wParam, lParam);
    case WM_GETDLGCODE:
        if (look_ == LookStandard) return CallOriginal(msg, wParam, lParam);
        return DLGC_BUTTON | (IsDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
        if (look_ == LookStandard) return CallOriginal(msg, wParam, lParam);
        // The dialog manager moving the default between push buttons: the type stays
        // owner-draw.
        SetDefault((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON, lParam != 0);
        return 0;
    case WM_SETFOCUS: {
        LRESULT result = CallOriginal(msg, wParam, lParam);
        if (look_ != LookStandard) TakeDefault();
        return result;
    }
    case WM_CAPTURECHANGED: {
        LRESULT result = CallOriginal(msg, wParam, lParam);
        if (reinterpret_cast<HWND>(lParam) != hwnd()) OnCaptureLost();
        return result;
    }
    case WM_CANCELMODE: {
        LRESULT result = CallOriginal(msg, wParam, lParam);
        if (captured_) {
            ReleaseCaptureIfHeld();
            captured_ = false;
            ClearStates();
            RepaintNow();
        }
        return result;
    }
    case WM_KILLFOCUS: {
        LRESULT result = CallOriginal(msg, wParam, lParam);
        ReleaseCaptureIfHeld();
        ClearStates();
        if (look_ != LookStandard) PassDefaultOn(reinterpret_cast<HWND>(wParam));
        RepaintNow();
        return result;
    }
    case WM_ENABLE:
        if (!wParam) {
            ClearStates();
            ReleaseCaptureIfHeld();
        }
        return CallOriginal(msg, wParam, lParam);
    case WM_SETCURSOR:
        return OnSetCursor(wParam, lParam);
    case WM_SETFONT:
        return OnSetFont(wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    default:
        return CallOriginal(msg, wParam, lParam);
    }
}

LRESULT CFlatButton::OnMouseMove(WPARAM keys, LPARAM point) {
    const bool leftDown = (keys & MK_LBUTTON) != 0;
    if (look_ == LookRaised && !leftDown) return CallOriginal(WM_MOUSEMOVE, keys, point);
    bool repaint = false;
    if (ContainsPoint(POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)})) {
        if (!hot_) hot_ = repaint = true;
        if (leftDown && !pushed_ && clickedInside_) pushed_ = repaint = true;
        if (!captured_) {
            TakeCapture();
            RepaintNow();
            repaint = false;
        }
    } else {
        if (leftDown) {
            if (pushed_) {
                pushed_ = false;
                repaint = true;
            }
        } else if (hot_) {
            hot_ = false;
            repaint = true;
        }
        const WPARAM held = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL;
        if (captured_ && (keys & held) == 0) {
            ReleaseCaptureIfHeld();
            captured_ = false;
            RepaintNow();
            repaint = false;
        }
    }
    if (repaint) RepaintNow();
    // The system's button shows itself pushed for any move with the left button down while
    // it has the capture, which this button took for hovering: it only hears of a press
    // that began on it.
    const LRESULT result =
        CallOriginal(WM_MOUSEMOVE, clickedInside_ ? keys : keys & ~MK_LBUTTON, point);
    // When the move changes the system's pushed state, Common Controls 6 only invalidates the
    // button (version 5 painted it at once): shown now, like every other change of the face.
    UpdateWindow(hwnd());
    return result;
}

LRESULT CFlatButton::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    pushed_ = clickedInside_ = hot_ = true;
    if (GetCapture() != hwnd()) TakeCapture();
    RepaintNow();
    return CallOriginal(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CFlatButton::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
    ClearStates();
    RepaintNow();
    LRESULT result = CallOriginal(WM_LBUTTONUP, wParam, lParam);
    ReleaseCaptureIfHeld();
    captured_ = false;
    return result;
}

LRESULT CFlatButton::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    POINT p;
    if (cursor_ && GetCursorPos(&p) && ScreenToClient(hwnd(), &p) && ContainsPoint(p)) {
        SetCursor(cursor_);
        return TRUE;
    }
    return CallOriginal(WM_SETCURSOR, wParam, lParam);
}

LRESULT CFlatButton::OnSetFont(WPARAM wParam, LPARAM lParam) {
    font_ = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam)) RepaintNow();
    return 0;
}

// --- Helpers ------------------------------------------------------------------------------

bool CFlatButton::ContainsPoint(POINT p) const {
    RECT client;
    GetClientRect(hwnd(), &client);
    return PtInRect(&client, p) != FALSE;
}

void CFlatButton::TakeCapture() {
    SetCapture(hwnd());
    captured_ = true;
}

void CFlatButton::ReleaseCaptureIfHeld() {
    if (GetCapture() == hwnd()) ReleaseCapture();
}

void CFlatButton::ClearStates() { pushed_ = clickedInside_ = hot_ = false; }

// The button hears of the mouse leaving only while it holds the capture. Whatever ends that
// (Tab, Alt+Tab, a dialog a mnemonic opens, its own release) leaves it idle, and the next
// move over it takes the capture again.
void CFlatButton::OnCaptureLost() {
    const bool showing = captured_ || hot_ || pushed_;
    captured_ = false;
    ClearStates();
    if (showing) RepaintNow();
}

// --- The default push button ---------------------------------------------------------------

bool CFlatButton::IsDefault() const { return default_ || (hwnd() && GetFocus() == hwnd()); }

void CFlatButton::SetDefault(bool isDefault, bool repaint) {
    if (default_ == isDefault) return;
    default_ = isDefault;
    if (repaint) RepaintNow();
}

// The dialog's own default push button (DM_GETDEFID of the top-level dialog, so the sheet's
// for a button on a page), or null.
HWND CFlatButton::DialogDefaultButton() const {
    HWND dialog = GetAncestor(hwnd(), GA_ROOT);
    const LRESULT id = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(id) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(id)) : nullptr;
}

// The focused push button is the default, and the one that was gives that up. The dialog
// manager does so when Tab or a mnemonic moves the focus, not when a click or a dialog
// closing gives it.
void CFlatButton::TakeDefault() {
    HWND previous = DialogDefaultButton();
    if (previous && previous != hwnd() &&
        (SendMessageA(previous, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
        SendMessageA(previous, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SetDefault(true, true);
}

// Losing the focus, a button other than the dialog's default stops being the default. Unless
// another push button takes the focus (and with it the default), the dialog's default shows
// as the default again: Enter there means OK.
void CFlatButton::PassDefaultOn(HWND newFocus) {
    HWND dialogDefault = DialogDefaultButton();
    if (dialogDefault == hwnd()) return;
    SetDefault(false, false);
    const UINT pushButton = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;
    const bool toPushButton = newFocus &&
                              GetAncestor(newFocus, GA_ROOT) == GetAncestor(hwnd(), GA_ROOT) &&
                              (SendMessageA(newFocus, WM_GETDLGCODE, 0, 0) & pushButton);
    if (!toPushButton && dialogDefault &&
        (SendMessageA(dialogDefault, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(dialogDefault, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void CFlatButton::RepaintNow() {
    InvalidateRect(hwnd(), nullptr, FALSE);
    UpdateWindow(hwnd());
}

}  // namespace tembra
