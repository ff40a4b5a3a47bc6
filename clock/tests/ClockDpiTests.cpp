// The clock where the system DPI is 144 (this test's Wine prefix): its face drawn at its
// monitor's DPI, and drawn again when that changes.
#include <gtest/gtest.h>

#include <windows.h>

#include "clock/tests/FaceTestSupport.h"
#include "framework/Dpi.h"

using namespace tembra;
using namespace tembra::test;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

SIZE ExtentAt(int fontHeight, const std::string& text) {
    WindowDc screen(nullptr);
    UniqueFont font(CreateFontA(fontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    SelectGuard selected(screen.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

class DpiFaceTest : public FaceTest {
protected:
    void SetUp() override { ASSERT_EQ(SystemDpi(), 144u) << "needs the 144-DPI prefix"; }
    bool ShapeIsTheGlyphs() const {
        const int w = clock->width(), h = clock->height();
        return WindowShape(w, h) == GlyphMask(kRed, 0, w, h);
    }
};

}  // namespace

TEST_F(DpiFaceTest, TheDefaultFaceIsItsTextAtOneAndAHalfTimesTheStoredSize) {
    Start();  // the default look: Arial of 13 pixels at 96 DPI, opaque, 2-pixel margin
    EXPECT_EQ(clock->dpi(), 144u);
    const std::string text = clock->clockText();
    // 19.5 pixels, rounded as MulDiv rounds; the margin 3.
    const SIZE text144 = ExtentAt(-20, text);
    EXPECT_EQ(WindowSize().cx, text144.cx + 6);
    EXPECT_EQ(WindowSize().cy, text144.cy + 6);
    // Glyphs drawn at their size, not a 96-DPI picture stretched: the shape is their pixels.
    Set("Transparent", 1);
    Set("FontColor", kRed);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    EXPECT_TRUE(ShapeIsTheGlyphs());
    // A size that scales to whole pixels shows the whole face 1.5 times as large.
    Set("FontHeight", static_cast<DWORD>(-40));
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);
    const SIZE text96 = ExtentAt(-40, text);
    EXPECT_NEAR(WindowSize().cx, 1.5 * text96.cx, 1.0);
    EXPECT_NEAR(WindowSize().cy, 1.5 * text96.cy, 1.0);
    EXPECT_TRUE(ShapeIsTheGlyphs());
}

TEST_F(DpiFaceTest, MovedToA192DpiMonitorItTakesTheSuggestedPlaceAtTwiceTheStoredSize) {
    Start();
    const std::string text = clock->clockText();
    RECT suggested{300, 200, 300 + WindowSize().cx * 4 / 3, 200 + WindowSize().cy * 4 / 3};
    SendMessageA(hwnd(), kWmDpiChanged, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(clock->dpi(), 192u);
    EXPECT_EQ(WindowRect().left, 300);
    EXPECT_EQ(WindowRect().top, 200);
    const SIZE text192 = ExtentAt(-26, text);
    EXPECT_EQ(WindowSize().cx, text192.cx + 8);
    EXPECT_EQ(WindowSize().cy, text192.cy + 8);

    Set("Transparent", 1);
    Set("FontColor", kRed);
    SendMessageA(hwnd(), WM_CLOCK_RELOADOPTIONS, 0, 0);  // a reload keeps the monitor's DPI
    EXPECT_EQ(WindowSize().cx, text192.cx);
    EXPECT_TRUE(ShapeIsTheGlyphs());
    // A suggestion off every monitor (none the system would make) is brought back.
    suggested = RECT{5000, 200, 5100, 230};
    SendMessageA(hwnd(), kWmDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(WindowRect().left, 0);
    EXPECT_EQ(WindowSize().cx, ExtentAt(-20, text).cx);
    EXPECT_TRUE(ShapeIsTheGlyphs());
}
