// Shared by the face, tray and screen tests: a clock started in-process on a sandboxed
// registry at a fixed moment, and ways to look at what it drew.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "clock/tests/ClockTestSupport.h"
#include "framework/core/DpiScale.h"
#include "store/OptionsStore.h"

namespace tembra::test {

class FaceTest : public ::testing::Test {
protected:
    ScopedRegistrySandbox sandbox;
    FakeClockTime time{CivilTime{2026, 12, 6, 14, 5, 9, 0}};
    std::unique_ptr<ClockWindow> clock;

    static void Set(const char* name, DWORD value) { RegWriteDword(reg::kOptionsKey, name, value); }
    static DWORD Stored(const char* name) {
        DWORD v = 0xDEADBEEF;
        RegReadDword(reg::kOptionsKey, name, &v);
        return v;
    }
    static std::vector<std::string> StoredNames() { return RegValueNames(reg::kOptionsKey); }
    static void ForgetStoredOptions() { RegDeleteTreeAt(reg::kOptionsKey); }

    void Start() {
        clock = StartClock();
        ASSERT_TRUE(clock);
        // The first paint arrives through the message loop, as in the program.
        PumpMessages(30);
    }
    HWND hwnd() const { return clock->hwnd(); }
    RECT WindowRect() const {
        RECT rc{};
        GetWindowRect(hwnd(), &rc);
        return rc;
    }
    SIZE WindowSize() const {
        RECT rc = WindowRect();
        return SIZE{rc.right - rc.left, rc.bottom - rc.top};
    }
    // A font made the way the clock makes it from the stored options, at the clock's DPI.
    HFONT MakeFont() const {
        const ClockOptions& o = clock->options();
        return CreateFontA(ScaleToDpi(o.FontHeight, clock->dpi()), 0, 0, 0, o.FontStyle.bold ? FW_BOLD : FW_NORMAL,
                           o.FontStyle.italic, o.FontStyle.underline, o.FontStyle.strikeout, 0, 0,
                           0, 0, 0, o.FontName);
    }
    SIZE TextExtent(const std::string& text) const {
        HDC dc = GetDC(hwnd());
        HFONT font = MakeFont();
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(hwnd(), dc);
        return size;
    }
    COLORREF PixelAt(int x, int y) const {
        HDC dc = GetDC(hwnd());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd(), dc);
        return c;
    }
    void Repaint() const {
        InvalidateRect(hwnd(), nullptr, TRUE);
        UpdateWindow(hwnd());
    }
    // The pixels where the clock's own text, drawn in `text` colour on `key`, is not within
    // 16 per component of the key: what the window should be cut to. Row-major, top row first.
    std::vector<bool> GlyphMask(COLORREF text, COLORREF key, int width, int height) const {
        std::vector<bool> mask(static_cast<size_t>(width) * height, false);
        HDC screen = GetDC(hwnd());
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ oldBmp = SelectObject(mem, bmp);
        HBRUSH brush = CreateSolidBrush(key);
        RECT all{0, 0, width, height};
        ::FillRect(mem, &all, brush);
        DeleteObject(brush);
        HFONT font = MakeFont();
        HGDIOBJ oldFont = SelectObject(mem, font);
        SetTextColor(mem, text);
        SetBkColor(mem, key);
        TextOutA(mem, 0, 0, clock->clockText().c_str(), static_cast<int>(clock->clockText().size()));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                COLORREF c = GetPixel(mem, x, y);
                auto within = [](int v, int k) { return v >= k && v <= std::min(255, k + 16); };
                bool isKey = within(GetRValue(c), GetRValue(key)) && within(GetGValue(c), GetGValue(key)) &&
                             within(GetBValue(c), GetBValue(key));
                mask[static_cast<size_t>(y) * width + x] = !isKey;
            }
        SelectObject(mem, oldFont);
        DeleteObject(font);
        SelectObject(mem, oldBmp);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(hwnd(), screen);
        return mask;
    }
    // The window's current shape, pixel by pixel (false everywhere when it has none).
    std::vector<bool> WindowShape(int width, int height) const {
        std::vector<bool> shape(static_cast<size_t>(width) * height, false);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(hwnd(), rgn) != ERROR) {
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    shape[static_cast<size_t>(y) * width + x] = PtInRegion(rgn, x, y) != FALSE;
        }
        DeleteObject(rgn);
        return shape;
    }
    bool HasWindowRegion() const {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        int type = GetWindowRgn(hwnd(), rgn);
        DeleteObject(rgn);
        return type != ERROR;
    }
};

// A stand-in for a window of the settings program, found by its title.
class DummyTopLevel {
public:
    explicit DummyTopLevel(const char* title, bool visible = false) {
        hwnd_ = CreateWindowExA(0, "STATIC", title, WS_POPUP | (visible ? WS_VISIBLE : 0), 600,
                                500, 50, 20, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~DummyTopLevel() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    DummyTopLevel(const DummyTopLevel&) = delete;
    DummyTopLevel& operator=(const DummyTopLevel&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

}  // namespace tembra::test
