// Font, size and drawing of the clock face; position and drag.
#include "clock/ClockWindow.h"

#include <commctrl.h>

namespace tembra {

void ClockWindow::CreateClockFont() {
    const FontStyles& s = options_.FontStyle;
    font_.reset(CreateFontA(options_.FontHeight, 0, 0, 0, s.bold ? FW_BOLD : FW_NORMAL, s.italic,
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
    const int margin = options_.Transparent ? 0 : 4;
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
    if (region_) {
        SetWindowRgn(hwnd_, nullptr, FALSE);
        region_.reset();
    }
    const ColorRef text = options_.Color2 ? options_.FontColor2 : options_.FontColor;
    {
        UniqueBrush background(CreateSolidBrush(options_.BackgroundColor));
        SelectGuard brush(dc, background.get());
        PatBlt(dc, 0, 0, width_, height_, PATCOPY);
    }
    {
        SelectGuard font(dc, font_.get());
        SetTextColor(dc, text);
        SetBkColor(dc, options_.BackgroundColor);
        TextOutA(dc, 2, 2, clockText_.c_str(), static_cast<int>(clockText_.size()));
    }
    if (options_.Border) {
        const ColorRef frame = options_.UseFontColor ? text
                               : options_.Color2     ? options_.BorderColor2
                                                     : options_.BorderColor;
        UniqueBrush brush(CreateSolidBrush(frame));
        RECT rc{0, 0, width_, height_};
        FrameRect(dc, &rc, brush.get());
    }
}

void ClockWindow::PaintTransparent(HDC dc) {
    // Shaped drawing lands with the face; until then the text is drawn plainly.
    PaintOpaque(dc);
}

void ClockWindow::ReleaseFaceResources() {
    offscreenDc_.reset();
    offscreenBitmap_.reset();
    region_.reset();
    font_.reset();
}

void ClockWindow::PlaceWindow(int left, int top) {
    const int x = left + 5 > GetSystemMetrics(SM_CXSCREEN) ? 0 : left;
    const int y = top + 5 > GetSystemMetrics(SM_CYSCREEN) ? 0 : top;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    MoveWindow(hwnd_, x, y, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void ClockWindow::OnDragStart(LPARAM) {}
void ClockWindow::OnDragMove() {}
void ClockWindow::OnDragEnd() {}

}  // namespace tembra
