// Font, size and drawing of the clock face; position and drag.
#include "clock/ClockWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "clock/MonitorList.h"
#include "clock/Placement.h"
#include "clock/RegionFromBitmap.h"
#include "framework/DesktopComposition.h"
#include "framework/Dpi.h"

namespace tembra {

namespace {

ColorRef TextColour(const ClockOptions& o) { return o.Color2 ? o.FontColor2 : o.FontColor; }

ColorRef FrameColour(const ClockOptions& o) {
    if (o.UseFontColor) return TextColour(o);
    return o.Color2 ? o.BorderColor2 : o.BorderColor;
}

// Black glyphs are cut out of white, any other colour out of black.
ColorRef KeyColour(ColorRef text) { return text == 0 ? 0xFFFFFF : 0; }

void FillRect(HDC dc, int width, int height, ColorRef colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    SelectGuard selected(dc, brush.get());
    PatBlt(dc, 0, 0, width, height, PATCOPY);
}

// A frame `thickness` pixels wide inside (0, 0, width, height).
void Frame(HDC dc, int width, int height, int thickness, ColorRef colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    RECT rc{0, 0, width, height};
    for (int i = 0; i < thickness && rc.right > rc.left && rc.bottom > rc.top; ++i) {
        FrameRect(dc, &rc, brush.get());
        InflateRect(&rc, -1, -1);
    }
}

}  // namespace

// The stored height is in pixels at 96 DPI: drawn at the DPI of the clock's monitor, the
// glyphs are made at that size (crisp), not stretched.
int ClockWindow::FontHeightNow() const { return ScaleToDpi(options_.FontHeight, dpi_); }

// The opaque face's margin round the text and its frame, 2 and 1 pixels at 96 DPI.
int ClockWindow::FaceMargin() const { return ScaleToDpi(2, dpi_); }

void ClockWindow::CreateClockFont() {
    const FontStyles& s = options_.FontStyle;
    font_.reset(CreateFontA(FontHeightNow(), 0, 0, 0, s.bold ? FW_BOLD : FW_NORMAL, s.italic,
                            s.underline, s.strikeout, 0, 0, 0, 0, 0, options_.FontName));
}

void ClockWindow::SizeToText() {
    const std::string text = BuildClockTextInto();
    SIZE extent{0, 0};
    {
        WindowDc dc(hwnd_);
        SelectGuard font(dc.get(), font_.get());
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    // The opaque face keeps a margin round the text.
    const int margin = options_.Transparent ? 0 : 2 * FaceMargin();
    width_ = extent.cx + margin;
    height_ = extent.cy + margin;
    MoveWindow(hwnd_, rc.left, rc.top, width_, height_, TRUE);
    if (tooltip_) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = hwnd_;
        tool.uId = kTooltipToolId;
        GetClientRect(hwnd_, &tool.rect);
        SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    needNewBitmap_ = true;
}

void ClockWindow::PaintClock(HDC dc) {
    if (options_.TrayMode) return;
    if (options_.Transparent)
        PaintTransparent(dc);
    else
        PaintOpaque(dc);
}

void ClockWindow::PaintOpaque(HDC dc) {
    if (shaped_) {
        SetWindowRgn(hwnd_, nullptr, FALSE);
        shaped_ = false;
        regionKey_.clear();
        // What the region hid is not part of this paint's update area: paint it next.
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    textColourPixels_.reset();  // painted over with the background
    const ColorRef text = TextColour(options_);
    FillRect(dc, width_, height_, options_.BackgroundColor);
    {
        SelectGuard font(dc, font_.get());
        SetTextColor(dc, text);
        SetBkColor(dc, options_.BackgroundColor);
        TextOutA(dc, FaceMargin(), FaceMargin(), clockText_.c_str(),
                 static_cast<int>(clockText_.size()));
    }
    if (options_.Border) Frame(dc, width_, height_, ScaleToDpi(1, dpi_), FrameColour(options_));
}

// Everything the window's shape is cut from. Ticks that leave it unchanged reuse the shape.
std::string ClockWindow::RegionKey() const {
    const FontStyles& s = options_.FontStyle;
    std::string key = clockText_;
    key += '\n';
    key += options_.FontName;
    key += '\n';
    key += std::to_string(FontHeightNow()) + ' ' + std::to_string(s.bold) +
           std::to_string(s.italic) + std::to_string(s.underline) + std::to_string(s.strikeout) +
           ' ' + std::to_string(width_) + 'x' + std::to_string(height_) + ' ' +
           std::to_string(TextColour(options_));
    return key;
}

void ClockWindow::PaintTransparent(HDC dc) {
    // Ticks and Repaint cut before they paint. A cut here has its new pixels painted by a
    // later paint, one the clock does not count as its own.
    if (ShapeToText()) ShowNewPixels(false);
    // A paint the system asked for may follow the loss of the window's pixels.
    if (!ownPaint_) textColourPixels_.reset();
    // The window, clipped to the glyphs, shows the text colour and nothing else.
    FillRect(dc, width_, height_, TextColour(options_));
}

// Draws the text into the off-screen picture and, when what the shape is cut from changed,
// cuts the window to its glyph pixels. Paints nothing.
bool ClockWindow::ShapeToText() {
    if (needNewBitmap_ || !face_.ready()) {
        needNewBitmap_ = false;
        face_.Reset(width_, height_);
        // A new size or colour: what the window held is gone or the old colour.
        textColourPixels_.reset();
        regionKey_.clear();
    }
    if (shaped_ && RegionKey() == regionKey_) return false;
    const ColorRef text = TextColour(options_);
    const ColorRef key = KeyColour(text);
    HDC picture = face_.dc();
    if (picture) {
        FillRect(picture, width_, height_, key);
        SelectGuard font(picture, font_.get());
        SetTextColor(picture, text);
        SetBkColor(picture, key);
        TextOutA(picture, 0, 0, clockText_.c_str(), static_cast<int>(clockText_.size()));
    }
    const bool changed = face_.Cut(key, kFaceKeyTolerance) || !shaped_;
    regionKey_ = RegionKey();
    ++regionBuilds_;
    if (!changed || !face_.shape()) return false;
    // The window takes the region it is given; the face keeps its own to cut the next from.
    UniqueRegion windowCopy(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(windowCopy.get(), face_.shape(), nullptr, RGN_COPY);
    ForgetPixelsTheShapeHid();
    if (!SetWindowRgn(hwnd_, windowCopy.get(), FALSE)) return false;
    windowCopy.release();
    shaped_ = true;
    return true;
}

// Paints the pixels the shape shows that have not held the text colour since the window
// last lost its pixels. A new shape alone paints nothing where the desktop keeps the pixels
// under what a region hides (Wine's window surface, the desktop compositor's copy; elsewhere
// ForgetPixelsTheShapeHid makes them count as lost), and a paint
// after every cut would cost Wine more than all the rest of the tick, as it rebuilds the
// window's visible region one rectangle at a time.
void ClockWindow::ShowNewPixels(bool now) {
    UniqueRegion fresh(CreateRectRgn(0, 0, 0, 0));
    const int kind = textColourPixels_
                         ? CombineRgn(fresh.get(), face_.shape(), textColourPixels_.get(), RGN_DIFF)
                         : CombineRgn(fresh.get(), face_.shape(), nullptr, RGN_COPY);
    if (kind == NULLREGION || kind == ERROR) return;
    if (!now) {
        InvalidateRgn(hwnd_, fresh.get(), FALSE);
        return;
    }
    ownPaint_ = true;
    ++newPixelPaints_;
    RedrawWindow(hwnd_, nullptr, fresh.get(), RDW_INVALIDATE | RDW_UPDATENOW);
    ownPaint_ = false;
    NoteTextColour(fresh.get());
}

// Where the desktop keeps no copy of what a window's region hides, the pixels outside the
// shape shown until now are gone: they are painted again when a shape shows them.
void ClockWindow::ForgetPixelsTheShapeHid() {
    if (!textColourPixels_ || DesktopKeepsHiddenPixels()) return;
    UniqueRegion shown(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(hwnd_, shown.get()) == ERROR) return;  // no region: nothing was hidden
    CombineRgn(textColourPixels_.get(), textColourPixels_.get(), shown.get(), RGN_AND);
}

void ClockWindow::NoteTextColour(HRGN pixels) {
    if (!textColourPixels_) textColourPixels_.reset(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(textColourPixels_.get(), textColourPixels_.get(), pixels, RGN_OR);
}

void ClockWindow::ReleaseFaceResources() {
    face_.Release();
    textColourPixels_.reset();
    shaped_ = false;  // the region goes with the window
    regionKey_.clear();
    font_.reset();
}

// How much of the window shows depends on its size, which the options being loaded may
// change: the corner is only noted here and applied once the window is sized.
void ClockWindow::PlaceWindow(int left, int top) { storedCorner_ = ScreenPoint{left, top}; }

void ClockWindow::MoveToStoredCorner() {
    if (!storedCorner_) return;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    const WindowSize size{rc.right - rc.left, rc.bottom - rc.top};
    const ScreenPoint p =
        PlaceOnScreens(storedCorner_->x, storedCorner_->y, size, CurrentMonitors());
    storedCorner_.reset();
    MoveWindow(hwnd_, p.x, p.y, size.width, size.height, TRUE);
}

// After the monitors changed (one unplugged, say) or the clock's DPI did, the clock is put
// back onto a monitor by the rule its stored corner follows.
void ClockWindow::KeepOnMonitors() {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    const WindowSize size{rc.right - rc.left, rc.bottom - rc.top};
    const ScreenPoint p = PlaceOnScreens(rc.left, rc.top, size, CurrentMonitors());
    if (p.x != rc.left || p.y != rc.top)
        SetWindowPos(hwnd_, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved to a monitor of another DPI, or its monitor's DPI changed: the font is made again at
// the new size, the face measured and cut again, and the window takes the place the system
// suggests for it (which keeps it on that monitor), sized to the text.
void ClockWindow::OnDpiChanged(UINT dpi, const RECT* suggested) {
    if (dpi == 0) return;
    dpi_ = dpi;
    CreateClockFont();
    if (suggested)
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    if (!options_.TrayMode) SizeToText();
    KeepOnMonitors();
    if (!options_.TrayMode) Repaint();
}

void ClockWindow::OnDragStart(LPARAM lParam) {
    if (options_.NoMove) return;
    dragging_ = true;
    dragOffsetX_ = GET_X_LPARAM(lParam);
    dragOffsetY_ = GET_Y_LPARAM(lParam);
    SetCapture(hwnd_);
}

void ClockWindow::OnDragMove() {
    if (!dragging_) return;
    POINT cursor;
    GetCursorPos(&cursor);
    SetWindowPos(hwnd_, HWND_TOP, cursor.x - dragOffsetX_, cursor.y - dragOffsetY_, 0, 0,
                 SWP_NOSIZE | SWP_NOOWNERZORDER);
}

void ClockWindow::OnDragEnd() {
    if (!dragging_) return;
    dragging_ = false;  // first: releasing the capture below comes back as OnCaptureLost
    ReleaseCapture();
    StorePosition();
}

// A menu, a dialog or WM_CANCELMODE took the mouse away: the button-up will go elsewhere,
// so the drag ends here, with the window where it was moved to.
void ClockWindow::OnCaptureLost() {
    if (!dragging_) return;
    dragging_ = false;
    StorePosition();
}

void ClockWindow::StorePosition() {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    WritePosition(rc.left, rc.top);
}

}  // namespace tembra
