// The clock on a real X display: what the screen shows of the transparent face, and the
// icon in the notification area.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "clock/tests/FaceTestSupport.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kDesktopGreen = RGB(0, 160, 0);

// A plain green window standing in for the desktop behind the clock.
class Backdrop {
public:
    Backdrop(int x, int y, int w, int h) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TembraTestBackdrop";
        brush_.reset(CreateSolidBrush(kDesktopGreen));
        wc.hbrBackground = brush_.get();
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, nullptr, WS_POPUP | WS_VISIBLE, x, y, w, h,
                                nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~Backdrop() {
        if (hwnd_) DestroyWindow(hwnd_);
        UnregisterClassA("TembraTestBackdrop", GetModuleHandleA(nullptr));
    }
    HWND get() const { return hwnd_; }

private:
    UniqueBrush brush_;
    HWND hwnd_ = nullptr;
};

// Screen pixels of `rc`, row-major, as COLORREF.
std::vector<COLORREF> Screenshot(const RECT& rc) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(w) * h);
    const auto* p = static_cast<const BYTE*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(p[4 * i + 2], p[4 * i + 1], p[4 * i]);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Pixels of `shot` that are not what the screen shows of red glyphs over the green desktop.
int WrongPixels(const std::vector<COLORREF>& shot, const std::vector<bool>& glyphs) {
    int wrong = 0;
    for (size_t i = 0; i < shot.size(); ++i)
        if ((shot[i] == kRed) != glyphs[i] || (!glyphs[i] && shot[i] != kDesktopGreen)) ++wrong;
    return wrong;
}

bool IconKnownToTheShell(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_TIP;
    lstrcpynA(data.szTip, "probe", sizeof data.szTip);
    // Modifying an icon the shell does not know fails.
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

}  // namespace

TEST_F(FaceTest, TransparentClockShowsExactlyItsGlyphPixelsOverTheDesktop) {
    Backdrop backdrop(40, 60, 900, 300);
    Set("Transparent", 1);
    Set("Seconds", 1);
    Set("FontHeight", static_cast<DWORD>(-64));
    Set("FontColor", kRed);
    Set("Left", 120);
    Set("Top", 140);
    Start();
    const RECT rc = WindowRect();
    ASSERT_EQ(rc.left, 120);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const std::vector<bool> glyphs = GlyphMask(kRed, 0, w, h);
    // The screen shows both windows once X has mapped and exposed them.
    std::vector<COLORREF> shot;
    WaitUntil([&] { return WrongPixels(shot = Screenshot(rc), glyphs) == 0; }, 10000);
    int glyphPixels = 0, wrongGlyph = 0, wrongDesktop = 0;
    for (size_t i = 0; i < shot.size(); ++i) {
        if (glyphs[i]) {
            ++glyphPixels;
            if (shot[i] != kRed) ++wrongGlyph;
        } else if (shot[i] != kDesktopGreen) {
            ++wrongDesktop;
        }
    }
    EXPECT_GT(glyphPixels, 500);
    EXPECT_EQ(wrongGlyph, 0);
    EXPECT_EQ(wrongDesktop, 0);

    // Ticks later the screen follows the new text, still glyphs only: the last one shows a
    // minute digit where none was shown before.
    for (int i = 0; i < 11; ++i) {
        time.AddSeconds(i < 10 ? 1 : 41);
        Tick(*clock);
        PumpMessages(20);
    }
    ASSERT_EQ(clock->clockText().substr(11), "14:06:00");
    const std::vector<bool> glyphs2 = GlyphMask(kRed, 0, w, h);
    std::vector<COLORREF> shot2;
    WaitUntil([&] { return WrongPixels(shot2 = Screenshot(rc), glyphs2) == 0; }, 10000);
    EXPECT_NE(glyphs, glyphs2);
    EXPECT_EQ(WrongPixels(shot2, glyphs2), 0);
}

TEST_F(FaceTest, TrayIconIsAddedAndAddedAgainAfterTheShellRestartsOnlyInTrayMode) {
    Set("TrayMode", 1);
    Start();
    // Added at the start, or when the shell says it is there if it was not yet.
    ASSERT_TRUE(WaitUntil([&] { return IconKnownToTheShell(hwnd(), clock->trayIconId()); }, 10000));
    // The shell forgets the icon, as when it restarts...
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = hwnd();
    data.uID = clock->trayIconId();
    Shell_NotifyIconA(NIM_DELETE, &data);
    ASSERT_FALSE(IconKnownToTheShell(hwnd(), clock->trayIconId()));
    // ...and tells everyone it is back.
    SendMessageA(hwnd(), TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(IconKnownToTheShell(hwnd(), clock->trayIconId()));

    // Out of tray mode the icon goes and the broadcast brings nothing back.
    clock->RunCommand(10);
    EXPECT_FALSE(IconKnownToTheShell(hwnd(), clock->trayIconId()));
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    SendMessageA(hwnd(), TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(IconKnownToTheShell(hwnd(), clock->trayIconId()));
}
